#include "platform/sdl/software/SoftwareState.h"

#include <new>

#include "platform/sdl/software/GdiRecords.h"

namespace {

// What a fresh memory context holds before anything is selected into it: a
// one-pixel black-and-white picture, shared by every context.
GdiBitmapRecord* makeStockBitmap() {
    SDL_Surface* pixels = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 8, SDL_PIXELFORMAT_INDEX8);
    if (!pixels) return nullptr;
    const SDL_Color blackAndWhite[2] = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    SDL_SetPaletteColors(pixels->format->palette, blackAndWhite, 0, 2);
    static_cast<Uint8*>(pixels->pixels)[0] = 0;
    GdiBitmapRecord* record = new (std::nothrow) GdiBitmapRecord;
    if (!record) {
        SDL_FreeSurface(pixels);
        return nullptr;
    }
    record->pixels = pixels;
    record->fileBitsPerPixel = 1;
    record->stock = true;
    return record;
}

}  // namespace

SoftwareState* SoftwareState::create(PixelLayout layout) {
    SDL_PixelFormat* format = SDL_AllocFormat(sdlPixelFormat(layout));
    if (!format) return nullptr;
    GdiBitmapRecord* stock = makeStockBitmap();
    SoftwareState* state = stock ? new (std::nothrow) SoftwareState : nullptr;
    if (!state) {
        if (stock) {
            SDL_FreeSurface(stock->pixels);
            delete stock;
        }
        SDL_FreeFormat(format);
        return nullptr;
    }
    state->layout = layout;
    state->format = format;
    state->stockBitmap = stock;
    state->bitmaps.insert(stock);
    return state;
}

SoftwareState::~SoftwareState() {
    bitmaps.erase(stockBitmap);
    SDL_FreeSurface(stockBitmap->pixels);
    delete stockBitmap;
    SDL_FreeFormat(format);
}

void SoftwareState::release() {
    if (--holders_ == 0) delete this;
}

bool SoftwareState::fails(SoftwareCall call) {
    Fault& fault = faults[static_cast<int>(call)];
    ++fault.calls;
    if (fault.times == 0) return false;
    if (fault.skip > 0) {
        --fault.skip;
        return false;
    }
    if (fault.times > 0) --fault.times;
    return true;
}

void SoftwareState::waitForVerticalBlank() {
    if (!presenter) return;
    if (!presenter->waitsAfterPresent() || waitOwed) presenter->waitForVerticalBlank();
    waitOwed = presenter->waitsAfterPresent();
}

void SoftwareState::waitIfOwed() {
    if (!waitOwed) return;
    waitOwed = false;
    if (presenter) presenter->waitForVerticalBlank();
}

SoftwareSurface* SoftwareState::findSurface(DdSurface* surface) const {
    auto found = surfaces.find(surface);
    return found == surfaces.end() ? nullptr : found->second;
}

SoftwareClipper* SoftwareState::findClipper(DdClipper* clipper) const {
    auto found = clippers.find(clipper);
    return found == clippers.end() ? nullptr : found->second;
}

GdiBitmapRecord* SoftwareState::findBitmap(GdiObject object) const {
    auto* record = reinterpret_cast<GdiBitmapRecord*>(object);
    return bitmaps.count(record) ? record : nullptr;
}

DcRecord* SoftwareState::findContext(DeviceContext dc) const {
    auto* record = reinterpret_cast<DcRecord*>(dc);
    return contexts.count(record) && record->live ? record : nullptr;
}

SoftwareDirectDraw* SoftwareState::newestDriver() const {
    return drivers.empty() ? nullptr : drivers.back();
}
