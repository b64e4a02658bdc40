#include "platform/sdl/software/SoftwareSurface.h"

#include <new>
#include <utility>

#include "platform/sdl/software/GdiRecords.h"
#include "platform/sdl/software/LatencyLog.h"
#include "platform/sdl/software/SoftwareClipper.h"
#include "platform/sdl/software/SoftwareDirectDraw.h"
#include "platform/sdl/software/SoftwareErrors.h"
#include "platform/sdl/software/SoftwareState.h"

namespace {

constexpr std::uint32_t kColorKeyRange = 0x00000001;  // DDCKEY_COLORSPACE

}  // namespace

SoftwareSurface* SoftwareSurface::create(SoftwareState* state, Kind kind, int width, int height,
                                         std::uint32_t caps) {
    SDL_Surface* pixels =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, state->format->format);
    if (!pixels) return nullptr;
    SoftwareSurface* surface = new (std::nothrow) SoftwareSurface(state, kind, pixels, caps);
    if (!surface) {
        SDL_FreeSurface(pixels);
        return nullptr;
    }
    // DirectDraw promises nothing about a new off-screen surface's memory;
    // SDL's would be black, which would hide a reader of pixels never drawn.
    if (kind == Kind::OffScreen) surface->fillWithLeftovers();
    return surface;
}

SoftwareSurface::SoftwareSurface(SoftwareState* state, Kind kind, SDL_Surface* pixels,
                                 std::uint32_t caps)
    : state_(state), kind_(kind), pixels_(pixels), caps_(caps) {
    state_->retain();
    state_->surfaces[this] = this;
    ownDc_.kind = DcRecord::Kind::Surface;
    ownDc_.surface = this;
    ownDc_.live = false;
    state_->contexts.insert(&ownDc_);
}

SoftwareSurface::~SoftwareSurface() {
    if (back_) {
        back_->front_ = nullptr;
        back_->Release();
    }
    if (front_) front_->back_ = nullptr;
    if (driver_) driver_->primaryGone(this);
    if (clipper_) clipper_->Release();
    state_->contexts.erase(&ownDc_);
    SDL_FreeSurface(pixels_);
    state_->surfaces.erase(this);
    state_->release();
}

void SoftwareSurface::chainBackBuffer(SoftwareSurface* back) {
    back_ = back;
    back->front_ = this;
}

const DdRect* SoftwareSurface::clip(DdRect* storage) const {
    if (!clipper_) return nullptr;
    *storage = clipper_->clipArea(pixels_);
    return storage;
}

void SoftwareSurface::fillWithLeftovers() {
    for (int y = 0; y < pixels_->h; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(static_cast<Uint8*>(pixels_->pixels) +
                                                     y * pixels_->pitch);
        for (int x = 0; x < pixels_->w; ++x) {
            row[x] = static_cast<std::uint16_t>((x * 7919u + y * 104729u) ^ 0xA5A5u);
        }
    }
}

DdResult SoftwareSurface::Blt(const DdRect* destRect, DdSurface* source, const DdRect* sourceRect,
                              std::uint32_t flags, const DdBltFx* fx) {
    if (state_->fails(SoftwareCall::Blt)) return DDERR_GENERIC;
    DdRect clipStorage;
    if (flags & DDBLT_COLORFILL) {
        if (!fx || fx->size != kBltFxSize) return DDERR_INVALIDPARAMS;
        if (lost_) return DDERR_SURFACELOST;
        if (busy()) return software::kErrSurfaceBusy;
        return fillSurfaceRect(pixels_, destRect, clip(&clipStorage),
                               static_cast<std::uint16_t>(fx->fillColor));
    }
    if (!source) return DDERR_INVALIDPARAMS;
    SoftwareSurface* from = state_->findSurface(source);
    if (!from) return software::kErrInvalidObject;
    if (lost_ || from->lost_) return DDERR_SURFACELOST;
    if (busy() || from->busy()) return software::kErrSurfaceBusy;
    BlitKey key;
    if (flags & DDBLT_KEYSRC) {
        if (!from->key_.active) return software::kErrNoColorKey;
        key = from->key_;
    }
    return blitSurfaceRect(pixels_, destRect, clip(&clipStorage), from->pixels_, sourceRect, key);
}

DdResult SoftwareSurface::Flip(DdSurface* targetOverride, std::uint32_t) {
    if (state_->fails(SoftwareCall::Flip)) return DDERR_GENERIC;
    if (kind_ != Kind::Primary || !back_) return software::kErrNotFlippable;
    if (targetOverride && targetOverride != back_) return DDERR_INVALIDPARAMS;
    if (lost_ || back_->lost_) return DDERR_SURFACELOST;
    if (busy() || back_->busy()) return software::kErrSurfaceBusy;
    std::swap(pixels_, back_->pixels_);
    if (state_->presenter) {
        const double began = latency_log::enabled() ? latency_log::now() : 0.0;
        state_->presenter->present(pixels_);
        latency_log::presented(began);
    }
    state_->waitIfOwed();
    return DD_OK;
}

DdResult SoftwareSurface::GetAttachedSurface(std::uint32_t caps, DdSurface** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (state_->fails(SoftwareCall::GetAttachedSurface)) return DDERR_NOTFOUND;
    if (!back_ || caps == 0 || (caps & ~back_->caps_) != 0) return DDERR_NOTFOUND;
    back_->AddRef();
    *out = back_;
    return DD_OK;
}

DdResult SoftwareSurface::IsLost() { return lost_ ? DDERR_SURFACELOST : DD_OK; }

DdResult SoftwareSurface::Restore() {
    if (state_->fails(SoftwareCall::Restore)) return DDERR_GENERIC;
    // A surface made with the primary comes back only with it.
    if (kind_ == Kind::BackBuffer) return DDERR_IMPLICITLYCREATED;
    if (lost_) {
        fillWithLeftovers();
        lost_ = false;
    }
    // Restoring the primary restores the whole flipping chain.
    if (back_ && back_->lost_) {
        back_->fillWithLeftovers();
        back_->lost_ = false;
    }
    return DD_OK;
}

DdResult SoftwareSurface::SetClipper(DdClipper* clipper) {
    if (state_->fails(SoftwareCall::SetClipper)) return DDERR_GENERIC;
    SoftwareClipper* next = nullptr;
    if (clipper) {
        next = state_->findClipper(clipper);
        if (!next) return software::kErrInvalidObject;
        next->AddRef();
    }
    if (clipper_) clipper_->Release();
    clipper_ = next;
    return DD_OK;
}

DdResult SoftwareSurface::GetDC(DeviceContext* out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (state_->fails(SoftwareCall::GetDC)) return DDERR_CANTCREATEDC;
    if (lost_) return DDERR_SURFACELOST;
    if (dc_) return software::kErrDcAlreadyCreated;
    if (locked_) return software::kErrSurfaceBusy;
    ownDc_.live = true;
    dc_ = &ownDc_;
    *out = toHandle(dc_);
    return DD_OK;
}

DdResult SoftwareSurface::ReleaseDC(DeviceContext dc) {
    if (!dc_ || toHandle(dc_) != dc) return DDERR_INVALIDPARAMS;
    ownDc_.live = false;
    dc_ = nullptr;
    return DD_OK;
}

DdResult SoftwareSurface::Lock(const DdRect* rect, DdSurfaceDesc* desc, std::uint32_t,
                               void* event) {
    if (!desc || desc->size != kSurfaceDescSize || event) return DDERR_INVALIDPARAMS;
    if (state_->fails(SoftwareCall::Lock)) return DDERR_GENERIC;
    if (lost_) return DDERR_SURFACELOST;
    if (busy()) return software::kErrSurfaceBusy;
    DdRect area{0, 0, pixels_->w, pixels_->h};
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->right > pixels_->w ||
            rect->bottom > pixels_->h || rect->left >= rect->right || rect->top >= rect->bottom) {
            return software::kErrInvalidRect;
        }
        area = *rect;
    }
    const SDL_PixelFormat* format = pixels_->format;
    desc->flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->width = static_cast<std::uint32_t>(pixels_->w);
    desc->height = static_cast<std::uint32_t>(pixels_->h);
    desc->pitch = pixels_->pitch;
    desc->surface = static_cast<Uint8*>(pixels_->pixels) + area.top * pixels_->pitch +
                    area.left * format->BytesPerPixel;
    // DirectDraw counts the storage bits: a 5-5-5 pixel is 16 bits wide, the
    // top one unused, although SDL names it a 15-bit format.
    const auto storageBits = static_cast<std::uint32_t>(format->BytesPerPixel * 8);
    desc->pixelFormat = DdPixelFormat{storageBits, format->Rmask, format->Gmask, format->Bmask};
    desc->caps = caps_;
    locked_ = true;
    return DD_OK;
}

DdResult SoftwareSurface::Unlock(void*) {
    if (!locked_) return software::kErrNotLocked;
    locked_ = false;
    return DD_OK;
}

DdResult SoftwareSurface::SetColorKey(std::uint32_t flags, const DdColorKey* key) {
    if (state_->fails(SoftwareCall::SetColorKey)) return DDERR_GENERIC;
    if (!(flags & DDCKEY_SRCBLT)) return software::kErrUnsupported;
    if (!key) {
        key_ = BlitKey{};
        return DD_OK;
    }
    key_.active = true;
    key_.low = key->lowValue & 0xFFFF;
    key_.high = key_.low;
    if ((flags & kColorKeyRange) && (key->highValue & 0xFFFF) > key_.low) {
        key_.high = key->highValue & 0xFFFF;
    }
    return DD_OK;
}
