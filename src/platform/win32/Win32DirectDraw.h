#pragma once

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32RefreshPacer.h"

// The display's driver object on an IDirectDraw (first interface version).
// The wrapper owns one reference to it and goes away with that reference.
// Its wait for the vertical blank is paced (see Win32RefreshPacer), so that a
// frame loop runs at the refresh rate even where the platform's wait returns
// at once.
class Win32DirectDraw final : public DirectDraw {
public:
    explicit Win32DirectDraw(IDirectDraw* directDraw) : directDraw_(directDraw) {}

    DdResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override;
    DdResult SetDisplayMode(std::uint32_t width, std::uint32_t height,
                            std::uint32_t bitsPerPixel) override;
    DdResult CreateSurface(const DdSurfaceDesc* desc, DdSurface** out) override;
    DdResult CreateClipper(std::uint32_t flags, DdClipper** out) override;
    DdResult WaitForVerticalBlank(std::uint32_t flags, void* event) override;
    std::uint32_t Release() override;

private:
    ~Win32DirectDraw() = default;

    IDirectDraw* directDraw_;
    Win32RefreshPacer pacer_;
};
