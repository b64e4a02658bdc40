#include "platform/sdl/software/SoftwareDirectDraw.h"

#include <algorithm>
#include <new>

#include "platform/PictureSize.h"
#include "platform/sdl/software/SoftwareClipper.h"
#include "platform/sdl/software/SoftwareErrors.h"
#include "platform/sdl/software/SoftwareState.h"
#include "platform/sdl/software/SoftwareSurface.h"

namespace {

constexpr std::uint32_t kWaitBlockEnd = 0x00000004;  // DDWAITVB_BLOCKEND
constexpr std::uint32_t kLargestSide = 16384;

}  // namespace

SoftwareDirectDraw* SoftwareDirectDraw::create(SoftwareState* state) {
    return new (std::nothrow) SoftwareDirectDraw(state);
}

SoftwareDirectDraw::SoftwareDirectDraw(SoftwareState* state) : state_(state) {
    state_->retain();
    state_->drivers.push_back(this);
}

SoftwareDirectDraw::~SoftwareDirectDraw() {
    // Surfaces live on until their own last Release; they only forget us.
    if (primary_) primary_->setDriver(nullptr);
    auto& drivers = state_->drivers;
    drivers.erase(std::remove(drivers.begin(), drivers.end(), this), drivers.end());
    state_->release();
}

void SoftwareDirectDraw::primaryGone(SoftwareSurface* primary) {
    if (primary_ == primary) primary_ = nullptr;
}

DdResult SoftwareDirectDraw::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
    if (state_->fails(SoftwareCall::SetCooperativeLevel)) return DDERR_GENERIC;
    const bool normal = (flags & DDSCL_NORMAL) != 0;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    const bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    if (normal == exclusive || exclusive != fullScreen) return DDERR_INVALIDPARAMS;
    if (state_->presenter && !state_->presenter->attachWindow(window)) return DDERR_GENERIC;
    levelSet_ = true;
    return DD_OK;
}

DdResult SoftwareDirectDraw::SetDisplayMode(std::uint32_t width, std::uint32_t height,
                                            std::uint32_t bitsPerPixel) {
    if (state_->fails(SoftwareCall::SetDisplayMode)) return software::kErrUnsupportedMode;
    const bool supported = width == static_cast<std::uint32_t>(kPictureWidth) &&
                           height == static_cast<std::uint32_t>(kPictureHeight) &&
                           bitsPerPixel == 16;
    return supported ? DD_OK : software::kErrUnsupportedMode;
}

DdResult SoftwareDirectDraw::CreateSurface(const DdSurfaceDesc* desc, DdSurface** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (!desc || desc->size != kSurfaceDescSize) return DDERR_INVALIDPARAMS;
    if (state_->fails(SoftwareCall::CreateSurface)) return DDERR_OUTOFMEMORY;
    if ((desc->flags & DDSD_PIXELFORMAT) && desc->pixelFormat.rgbBitCount != 16) {
        return software::kErrInvalidPixelFormat;
    }
    const std::uint32_t caps = (desc->flags & DDSD_CAPS) ? desc->caps : 0;
    if (caps & DDSCAPS_BACKBUFFER) return software::kErrInvalidCaps;
    if (caps & DDSCAPS_PRIMARYSURFACE) return createPrimary(*desc, caps, out);
    return createOffScreen(*desc, caps, out);
}

DdResult SoftwareDirectDraw::createPrimary(const DdSurfaceDesc& desc, std::uint32_t caps,
                                           DdSurface** out) {
    if (!levelSet_) return software::kErrNoCooperativeLevelSet;
    if (primary_) return software::kErrPrimaryExists;
    const std::uint32_t backBuffers =
        (desc.flags & DDSD_BACKBUFFERCOUNT) ? desc.backBufferCount : 0;
    if (backBuffers > 1) return software::kErrUnsupported;
    if (backBuffers == 1 && !(caps & DDSCAPS_COMPLEX)) return software::kErrInvalidCaps;

    SoftwareSurface* front =
        SoftwareSurface::create(state_, SoftwareSurface::Kind::Primary, kPictureWidth,
                                kPictureHeight, caps | DDSCAPS_FRONTBUFFER);
    if (!front) return DDERR_OUTOFMEMORY;
    if (backBuffers == 1) {
        SoftwareSurface* back = SoftwareSurface::create(
            state_, SoftwareSurface::Kind::BackBuffer, kPictureWidth, kPictureHeight,
            DDSCAPS_BACKBUFFER | DDSCAPS_COMPLEX | DDSCAPS_FLIP);
        if (!back) {
            front->Release();
            return DDERR_OUTOFMEMORY;
        }
        front->chainBackBuffer(back);
    }
    front->setDriver(this);
    primary_ = front;
    *out = front;
    return DD_OK;
}

DdResult SoftwareDirectDraw::createOffScreen(const DdSurfaceDesc& desc, std::uint32_t caps,
                                             DdSurface** out) {
    const std::uint32_t sized = DDSD_WIDTH | DDSD_HEIGHT;
    if ((desc.flags & sized) != sized) return DDERR_INVALIDPARAMS;
    if (desc.width == 0 || desc.height == 0 || desc.width > kLargestSide ||
        desc.height > kLargestSide) {
        return DDERR_INVALIDPARAMS;
    }
    SoftwareSurface* surface =
        SoftwareSurface::create(state_, SoftwareSurface::Kind::OffScreen,
                                static_cast<int>(desc.width), static_cast<int>(desc.height), caps);
    if (!surface) return DDERR_OUTOFMEMORY;
    *out = surface;
    return DD_OK;
}

DdResult SoftwareDirectDraw::CreateClipper(std::uint32_t flags, DdClipper** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (flags != 0) return DDERR_INVALIDPARAMS;
    if (state_->fails(SoftwareCall::CreateClipper)) return DDERR_OUTOFMEMORY;
    SoftwareClipper* clipper = SoftwareClipper::create(state_);
    if (!clipper) return DDERR_OUTOFMEMORY;
    *out = clipper;
    return DD_OK;
}

DdResult SoftwareDirectDraw::WaitForVerticalBlank(std::uint32_t flags, void* event) {
    if (event || (flags != DDWAITVB_BLOCKBEGIN && flags != kWaitBlockEnd)) {
        return DDERR_INVALIDPARAMS;
    }
    state_->waitForVerticalBlank();
    return DD_OK;
}
