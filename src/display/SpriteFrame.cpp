#include "display/SpriteFrame.h"

#include "display/Bitmap.h"
#include "display/VideoDriver.h"

bool SpriteFrame::Create(VideoDriver* driver, int width, int height) {
    if (!driver) return false;
    // A frame made anew starts clean: no old surface kept alive, and no key
    // left over from pixels that are no longer there.
    if (surface_) Destroy();

    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.height = static_cast<std::uint32_t>(height);
    desc.width = static_cast<std::uint32_t>(width);
    desc.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;

    // System memory runs short only for a moment (another program freeing
    // its own), so one repeat of the same request is worth making.
    bool made = driver->CreateSurface(&desc, &surface_) && surface_;
    if (!made) {
        surface_ = nullptr;
        made = driver->CreateSurface(&desc, &surface_) && surface_;
    }
    if (!made) {
        surface_ = nullptr;
        return false;
    }
    width_ = width;
    height_ = height;
    // DirectDraw does not promise cleared system memory, and a frame whose
    // picture is missing or smaller than the frame shows what its memory
    // holds: black, then, on every platform. A refused clear does not fail
    // the frame, which still draws.
    Fill(nullptr, 0);
    return true;
}

bool SpriteFrame::LoadFrom(Bitmap* bitmap, int sourceX, int sourceY) {
    if (!surface_ || !bitmap) return false;
    if (!bitmap->CopyToSurface(surface_, sourceX, sourceY, width_, height_)) return false;
    sourceBitmap_ = bitmap;
    sourceX_ = sourceX;
    sourceY_ = sourceY;
    return true;
}

bool SpriteFrame::DrawAt(Surface* destination, int x, int y) {
    if (!destination) return false;
    DdRect destRect = {x, y, x + width_, y + height_};
    DdRect sourceRect = {0, 0, width_, height_};
    return destination->Blit(this, &destRect, &sourceRect);
}
