#include "platform/sdl/software/SoftwareClipper.h"

#include <algorithm>
#include <new>

#include "platform/sdl/software/SoftwareState.h"

SoftwareClipper* SoftwareClipper::create(SoftwareState* state) {
    SoftwareClipper* clipper = new (std::nothrow) SoftwareClipper(state);
    if (clipper) state->clippers[clipper] = clipper;
    return clipper;
}

SoftwareClipper::SoftwareClipper(SoftwareState* state) : state_(state) { state_->retain(); }

SoftwareClipper::~SoftwareClipper() {
    state_->clippers.erase(this);
    state_->release();
}

DdResult SoftwareClipper::SetHWnd(std::uint32_t flags, WindowHandle window) {
    if (state_->fails(SoftwareCall::SetHWnd)) return DDERR_GENERIC;
    if (flags != 0) return DDERR_INVALIDPARAMS;
    boundToWindow_ = window != nullptr;
    return DD_OK;
}

DdRect SoftwareClipper::clipArea(const SDL_Surface* surface) const {
    DdRect area{0, 0, surface->w, surface->h};
    if (boundToWindow_) {
        area.right = std::min(area.right, kPictureWidth);
        area.bottom = std::min(area.bottom, kPictureHeight);
    }
    return area;
}
