#include "platform/sdl/software/SoftwareDisplay.h"

#include <algorithm>
#include <new>
#include <vector>

#include "platform/sdl/software/BitmapFile.h"
#include "platform/sdl/software/GdiRecords.h"
#include "platform/sdl/software/PictureFolders.h"
#include "platform/sdl/software/PixelAccess.h"
#include "platform/sdl/software/SoftwareDirectDraw.h"
#include "platform/sdl/software/SoftwareState.h"
#include "platform/sdl/software/SoftwareSurface.h"

namespace {

SDL_Surface* pixelsOf(const DcRecord* dc) {
    if (dc->kind == DcRecord::Kind::Surface) return dc->surface->pixels();
    return dc->selected ? dc->selected->pixels : nullptr;
}

void freeBitmap(GdiBitmapRecord* record) {
    SDL_FreeSurface(record->pixels);
    delete record;
}

}  // namespace

std::uint32_t sdlPixelFormat(PixelLayout layout) {
    return layout == PixelLayout::Rgb555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
}

SoftwareDisplay::SoftwareDisplay(PixelLayout layout)
    : layout_(layout), state_(SoftwareState::create(layout)) {}

SoftwareDisplay::~SoftwareDisplay() {
    if (&displayPlatform() == static_cast<DisplayPlatform*>(this)) installDisplayPlatform(nullptr);
    if (!state_) return;
    state_->presenter = nullptr;
    // Bitmaps and memory contexts are reachable only through this platform;
    // surfaces and their contexts live on until their last Release.
    std::vector<DcRecord*> memoryContexts;
    for (DcRecord* dc : state_->contexts) {
        if (dc->kind == DcRecord::Kind::Memory) memoryContexts.push_back(dc);
    }
    for (DcRecord* dc : memoryContexts) {
        state_->contexts.erase(dc);
        delete dc;
    }
    std::vector<GdiBitmapRecord*> bitmaps(state_->bitmaps.begin(), state_->bitmaps.end());
    for (GdiBitmapRecord* bitmap : bitmaps) {
        if (bitmap->stock) continue;
        state_->bitmaps.erase(bitmap);
        freeBitmap(bitmap);
    }
    state_->release();
}

const SDL_PixelFormat* SoftwareDisplay::pixelFormat() const {
    return state_ ? state_->format : nullptr;
}

void SoftwareDisplay::setPresenter(FramePresenter* presenter) {
    if (state_) state_->presenter = presenter;
}

FramePresenter* SoftwareDisplay::presenter() const { return state_ ? state_->presenter : nullptr; }

DdResult SoftwareDisplay::DirectDrawCreate(const DriverGuid*, DirectDraw** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (!state_ || state_->fails(SoftwareCall::DirectDrawCreate)) return DDERR_GENERIC;
    SoftwareDirectDraw* driver = SoftwareDirectDraw::create(state_);
    if (!driver) return DDERR_OUTOFMEMORY;
    *out = driver;
    return DD_OK;
}

GdiObject SoftwareDisplay::LoadImageA(const char* fileName, std::uint32_t type, int width,
                                      int height, std::uint32_t flags) {
    if (!state_ || state_->fails(SoftwareCall::LoadImage)) return nullptr;
    // Only whole pictures from files, at their own size.
    if (!fileName || type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || width != 0 ||
        height != 0) {
        return nullptr;
    }
    int bitsPerPixel = 0;
    SDL_Surface* pixels = loadPicture(folders_, fileName, &bitsPerPixel);
    if (!pixels) return nullptr;
    GdiBitmapRecord* record = new (std::nothrow) GdiBitmapRecord;
    if (!record) {
        SDL_FreeSurface(pixels);
        return nullptr;
    }
    record->pixels = pixels;
    record->fileBitsPerPixel = bitsPerPixel;
    state_->bitmaps.insert(record);
    return toHandle(record);
}

int SoftwareDisplay::GetObjectA(GdiObject object, int size, GdiBitmap* out) {
    GdiBitmapRecord* record = state_ ? state_->findBitmap(object) : nullptr;
    if (!record) return 0;
    if (!out) return kBitmapRecordSize;
    if (size < kBitmapRecordSize) return 0;
    const int width = record->pixels->w;
    const int bits = record->fileBitsPerPixel;
    out->type = 0;
    out->width = width;
    out->height = record->pixels->h;
    out->widthBytes = (width * bits + 31) / 32 * 4;
    out->planes = 1;
    out->bitsPixel = static_cast<std::uint16_t>(bits);
    out->bits = record->pixels->pixels;
    return kBitmapRecordSize;
}

bool SoftwareDisplay::DeleteObject(GdiObject object) {
    GdiBitmapRecord* record = state_ ? state_->findBitmap(object) : nullptr;
    if (!record) return false;
    if (record->stock) return true;
    if (record->selectedInto) return false;
    state_->bitmaps.erase(record);
    freeBitmap(record);
    return true;
}

DeviceContext SoftwareDisplay::CreateCompatibleDC(DeviceContext dc) {
    if (!state_ || state_->fails(SoftwareCall::CreateCompatibleDC)) return nullptr;
    if (dc && !state_->findContext(dc)) return nullptr;
    DcRecord* record = new (std::nothrow) DcRecord;
    if (!record) return nullptr;
    record->kind = DcRecord::Kind::Memory;
    record->selected = state_->stockBitmap;
    state_->contexts.insert(record);
    return toHandle(record);
}

GdiObject SoftwareDisplay::SelectObject(DeviceContext dc, GdiObject object) {
    if (!state_) return nullptr;
    DcRecord* context = state_->findContext(dc);
    GdiBitmapRecord* bitmap = state_->findBitmap(object);
    if (!context || !bitmap || context->kind != DcRecord::Kind::Memory) return nullptr;
    // A bitmap can be selected into one context at a time.
    if (!bitmap->stock && bitmap->selectedInto && bitmap->selectedInto != context) return nullptr;
    GdiBitmapRecord* previous = context->selected;
    if (previous && !previous->stock) previous->selectedInto = nullptr;
    context->selected = bitmap;
    if (!bitmap->stock) bitmap->selectedInto = context;
    return toHandle(previous);
}

bool SoftwareDisplay::BitBlt(DeviceContext dest, int x, int y, int width, int height,
                             DeviceContext source, int sourceX, int sourceY, std::uint32_t rop) {
    if (!state_ || state_->fails(SoftwareCall::BitBlt)) return false;
    DcRecord* to = state_->findContext(dest);
    DcRecord* from = state_->findContext(source);
    if (!to || !from || rop != SRCCOPY || width < 0 || height < 0) return false;
    SDL_Surface* target = pixelsOf(to);
    SDL_Surface* picture = pixelsOf(from);
    if (!target || !picture) return false;

    // Cut the block to the picture, moving the landing point by the same
    // amount, then to the target; 64-bit so that no position can overflow.
    std::int64_t left = std::max<std::int64_t>(sourceX, 0);
    std::int64_t top = std::max<std::int64_t>(sourceY, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{sourceX} + width, picture->w);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{sourceY} + height, picture->h);
    std::int64_t destX = std::int64_t{x} + (left - sourceX);
    std::int64_t destY = std::int64_t{y} + (top - sourceY);
    if (destX < 0) {
        left -= destX;
        destX = 0;
    }
    if (destY < 0) {
        top -= destY;
        destY = 0;
    }
    const std::int64_t cutWidth = std::min(right - left, target->w - destX);
    const std::int64_t cutHeight = std::min(bottom - top, target->h - destY);
    if (cutWidth <= 0 || cutHeight <= 0) return true;

    SDL_Rect block{static_cast<int>(left), static_cast<int>(top), static_cast<int>(cutWidth),
                   static_cast<int>(cutHeight)};
    SDL_Rect landing{static_cast<int>(destX), static_cast<int>(destY), block.w, block.h};
    return SDL_BlitSurface(picture, &block, target, &landing) == 0;
}

bool SoftwareDisplay::DeleteDC(DeviceContext dc) {
    DcRecord* context = state_ ? state_->findContext(dc) : nullptr;
    if (!context || context->kind != DcRecord::Kind::Memory) return false;
    if (context->selected && !context->selected->stock) context->selected->selectedInto = nullptr;
    state_->contexts.erase(context);
    delete context;
    return true;
}

std::uint32_t SoftwareDisplay::GetPixel(DeviceContext dc, int x, int y) {
    DcRecord* context = state_ ? state_->findContext(dc) : nullptr;
    SDL_Surface* pixels = context ? pixelsOf(context) : nullptr;
    if (!pixels || !containsPixel(pixels, x, y)) return CLR_INVALID;
    return colourRefFromRaw(pixels, readPixel(pixels, x, y));
}

std::uint32_t SoftwareDisplay::SetPixel(DeviceContext dc, int x, int y, std::uint32_t rgb) {
    DcRecord* context = state_ ? state_->findContext(dc) : nullptr;
    SDL_Surface* pixels = context ? pixelsOf(context) : nullptr;
    if (!pixels || !containsPixel(pixels, x, y)) return CLR_INVALID;
    const std::uint32_t raw = rawFromColourRef(pixels, rgb & 0x00FFFFFF);
    writePixel(pixels, x, y, raw);
    return colourRefFromRaw(pixels, raw);
}

SDL_Surface* SoftwareDisplay::frontBuffer() const {
    SoftwareDirectDraw* driver = state_ ? state_->newestDriver() : nullptr;
    SoftwareSurface* primary = driver ? driver->primary() : nullptr;
    return primary ? primary->pixels() : nullptr;
}

SDL_Surface* SoftwareDisplay::backBuffer() const {
    SoftwareDirectDraw* driver = state_ ? state_->newestDriver() : nullptr;
    SoftwareSurface* primary = driver ? driver->primary() : nullptr;
    SoftwareSurface* back = primary ? primary->backBuffer() : nullptr;
    return back ? back->pixels() : nullptr;
}

SDL_Surface* SoftwareDisplay::sdlSurface(DdSurface* surface) const {
    SoftwareSurface* found = state_ ? state_->findSurface(surface) : nullptr;
    return found ? found->pixels() : nullptr;
}

void SoftwareDisplay::loseAllSurfaces() {
    if (!state_) return;
    for (auto& entry : state_->surfaces) entry.second->markLost();
}

void SoftwareDisplay::loseSurface(DdSurface* surface) {
    SoftwareSurface* found = state_ ? state_->findSurface(surface) : nullptr;
    if (found) found->markLost();
}

void SoftwareDisplay::failCall(SoftwareCall call, int skip, int times) {
    if (!state_ || call == SoftwareCall::Count) return;
    SoftwareState::Fault& fault = state_->faults[static_cast<int>(call)];
    fault.skip = std::max(skip, 0);
    fault.times = times;
}

void SoftwareDisplay::clearFailures() {
    if (!state_) return;
    for (SoftwareState::Fault& fault : state_->faults) {
        fault.skip = 0;
        fault.times = 0;
    }
}

int SoftwareDisplay::callCount(SoftwareCall call) const {
    if (!state_ || call == SoftwareCall::Count) return 0;
    return state_->faults[static_cast<int>(call)].calls;
}

int SoftwareDisplay::liveObjects() const {
    if (!state_) return 0;
    // The shared stock bitmap is not an object anyone made, and a surface's
    // context counts only while it is handed out.
    std::size_t contexts = 0;
    for (const DcRecord* dc : state_->contexts) contexts += dc->live ? 1 : 0;
    return static_cast<int>(state_->drivers.size() + state_->surfaces.size() +
                            state_->clippers.size() + state_->bitmaps.size() - 1 + contexts);
}
