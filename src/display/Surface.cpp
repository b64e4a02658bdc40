#include "display/Surface.h"

#include "display/Clipper.h"

bool Surface::DrawOnto(Surface* destination) {
    if (!destination) return false;
    return destination->Blit(this, nullptr, nullptr);
}

bool Surface::Blit(Surface* source, const DdRect* destRect, const DdRect* sourceRect) {
    if (!surface_ || !source || !source->surface_) return false;

    // Only the source's key matters: it marks the pixels the copy skips.
    std::uint32_t flags = DDBLT_WAIT;
    if (source->hasKey_) flags |= DDBLT_KEYSRC;

    DdResult result = surface_->Blt(destRect, source->surface_, sourceRect, flags, nullptr);
    if (result == DDERR_SURFACELOST) {
        // Another program took the display memory. Get it back for both ends
        // and try once more; a second refusal is reported, not retried.
        RestoreIfLost();
        source->RestoreIfLost();
        result = surface_->Blt(destRect, source->surface_, sourceRect, flags, nullptr);
    }
    return result == DD_OK;
}

bool Surface::RestoreIfLost() {
    if (!surface_) return false;
    if (surface_->IsLost() != DDERR_SURFACELOST) return true;
    // The memory comes back; the picture that was in it does not.
    DdResult result = surface_->Restore();
    // DirectDraw restores a surface made with another only through that one:
    // a back buffer comes back with its primary. (Wine restores it directly.)
    if (result == DDERR_IMPLICITLYCREATED && madeWith_ && madeWith_->surface_) {
        result = madeWith_->surface_->Restore();
    }
    return result == DD_OK;
}

bool Surface::Fill(const DdRect* rect, std::uint32_t pixelValue) {
    if (!surface_) return false;
    DdBltFx fx = {};
    fx.size = kBltFxSize;
    fx.fillColor = pixelValue;
    return surface_->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx) == DD_OK;
}

bool Surface::SetClipper(Clipper* clipper) {
    if (!surface_) return false;
    return surface_->SetClipper(clipper ? clipper->platformClipper() : nullptr) == DD_OK;
}

bool Surface::ReleaseSurface() {
    if (!surface_) return false;
    surface_->Release();
    return true;
}

bool Surface::Destroy() {
    if (surface_) ReleaseSurface();
    surface_ = nullptr;
    keyValue_ = 0;
    hasKey_ = 0;
    madeWith_ = nullptr;
    return true;
}
