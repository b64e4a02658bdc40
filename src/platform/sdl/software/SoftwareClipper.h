#pragma once

#include <SDL.h>

#include <cstdint>

#include "display/DirectDrawApi.h"
#include "platform/PictureSize.h"
#include "platform/RefCounted.h"

struct SoftwareState;

// A clipper cuts every blit and fill on the surface it is attached to to
// that surface, and to the window (the whole screen) once bound to one.
class SoftwareClipper final : public RefCounted<DdClipper> {
public:
    static SoftwareClipper* create(SoftwareState* state);

    DdResult SetHWnd(std::uint32_t flags, WindowHandle window) override;

    DdRect clipArea(const SDL_Surface* surface) const;

private:
    explicit SoftwareClipper(SoftwareState* state);
    ~SoftwareClipper() override;

    SoftwareState* state_;
    bool boundToWindow_ = false;
};
