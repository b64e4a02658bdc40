#pragma once

#include <cstdint>

#include "display/DirectDrawApi.h"
#include "platform/RefCounted.h"

struct SoftwareState;
class SoftwareSurface;

// The DirectDraw object of the software display: one 800 x 600 x 16 mode,
// one primary at a time, surfaces in the display's pixel format.
class SoftwareDirectDraw final : public RefCounted<DirectDraw> {
public:
    static SoftwareDirectDraw* create(SoftwareState* state);

    DdResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override;
    DdResult SetDisplayMode(std::uint32_t width, std::uint32_t height,
                            std::uint32_t bitsPerPixel) override;
    DdResult CreateSurface(const DdSurfaceDesc* desc, DdSurface** out) override;
    DdResult CreateClipper(std::uint32_t flags, DdClipper** out) override;
    DdResult WaitForVerticalBlank(std::uint32_t flags, void* event) override;

    SoftwareSurface* primary() const { return primary_; }
    void primaryGone(SoftwareSurface* primary);

private:
    explicit SoftwareDirectDraw(SoftwareState* state);
    ~SoftwareDirectDraw() override;

    DdResult createPrimary(const DdSurfaceDesc& desc, std::uint32_t caps, DdSurface** out);
    DdResult createOffScreen(const DdSurfaceDesc& desc, std::uint32_t caps, DdSurface** out);

    SoftwareState* state_;
    bool levelSet_ = false;
    SoftwareSurface* primary_ = nullptr;
};
