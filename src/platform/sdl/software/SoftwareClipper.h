#pragma once

#include <SDL.h>

#include <cstdint>

#include "display/DirectDrawApi.h"

struct SoftwareState;

// The screen the game window covers when a clipper is bound to it; it is
// the only display mode the software display accepts.
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// A clipper cuts every blit and fill on the surface it is attached to to
// that surface, and to the window (the whole screen) once bound to one.
class SoftwareClipper final : public DdClipper {
public:
    static SoftwareClipper* create(SoftwareState* state);

    DdResult SetHWnd(std::uint32_t flags, WindowHandle window) override;
    std::uint32_t Release() override;

    void addRef() { ++refs_; }
    DdRect clipArea(const SDL_Surface* surface) const;

private:
    explicit SoftwareClipper(SoftwareState* state);
    ~SoftwareClipper();

    SoftwareState* state_;
    std::uint32_t refs_ = 1;
    bool boundToWindow_ = false;
};
