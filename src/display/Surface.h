#pragma once

#include <cstdint>

#include "display/DirectDrawApi.h"

class Clipper;

// A rectangle of pixels in the display's format that the platform can blit:
// the primary, the back buffer and every sprite frame.
class Surface {
public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    virtual ~Surface() = default;

    // Whole onto whole: the destination's Blit with this surface as source.
    virtual bool DrawOnto(Surface* destination);

    // The receiver is the destination. Null rectangles mean the whole surface.
    bool Blit(Surface* source, const DdRect* destRect, const DdRect* sourceRect);
    bool RestoreIfLost();
    bool Fill(const DdRect* rect, std::uint32_t pixelValue);
    bool SetClipper(Clipper* clipper);
    bool ReleaseSurface();
    bool Destroy();

    // Colour operations: RGB values in the COLORREF packing (red low byte).
    bool SetColourKey(std::uint32_t rgb);
    void FillRect(int x, int y, int width, int height, std::uint32_t rgb);

    DdSurface* platformSurface() const { return surface_; }
    // Where a creator stores the platform surface it obtains.
    DdSurface** platformSurfaceSlot() { return &surface_; }
    std::uint32_t keyValue() const { return keyValue_; }
    bool hasKey() const { return hasKey_ != 0; }

protected:
    DdSurface* surface_ = nullptr;
    std::uint32_t keyValue_ = 0;
    std::uint32_t hasKey_ = 0;
    // The surface this one was made together with, whose restore brings this
    // one back too (a back buffer's primary); null for a surface of its own.
    Surface* madeWith_ = nullptr;
};
