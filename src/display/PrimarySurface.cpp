#include "display/PrimarySurface.h"

#include "display/VideoDriver.h"

bool PrimarySurface::Create(VideoDriver* driver, int surfaceCount, std::uint32_t extraCaps) {
    if (!driver || (surfaceCount != 1 && surfaceCount != 2)) return false;
    if (surface_) Destroy();

    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    if (surfaceCount == 1) {
        desc.flags = DDSD_CAPS;
        desc.caps = extraCaps | DDSCAPS_PRIMARYSURFACE;
    } else {
        desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.backBufferCount = surfaceCount - 1;
        desc.caps = extraCaps | DDSCAPS_PRIMARYSURFACE | DDSCAPS_COMPLEX;
        // Only an exclusive full-screen owner may page-flip.
        if (driver->cooperativeMode() == FullScreenExclusive) desc.caps |= DDSCAPS_FLIP;
    }
    if (!driver->CreateSurface(&desc, &surface_)) {
        surface_ = nullptr;
        return false;
    }
    return surface_ != nullptr;
}

bool PrimarySurface::GetAttached(std::uint32_t caps, DdSurface** out) {
    if (!surface_) return false;
    return surface_->GetAttachedSurface(caps, out) == DD_OK;
}

bool PrimarySurface::Flip(VideoDriver* driver) {
    if (!surface_) return false;
    if (driver) driver->WaitForVerticalBlank();

    // A busy device is asked again a few times. Lost surfaces (another
    // program took the display) are restored once, and restoring the primary
    // brings its back buffer back too. If the flip is still refused, this
    // frame is simply not shown: the next one starts with a full clear, so
    // nothing is lost by going on, and the game never hangs here.
    DdResult result = surface_->Flip(nullptr, DDFLIP_WAIT);
    for (int attempt = 1; attempt < kFlipAttempts && result != DD_OK && result != DDERR_SURFACELOST;
         ++attempt) {
        result = surface_->Flip(nullptr, DDFLIP_WAIT);
    }
    if (result == DDERR_SURFACELOST) {
        RestoreIfLost();
        surface_->Flip(nullptr, DDFLIP_WAIT);
    }
    return true;
}
