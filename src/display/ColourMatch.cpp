#include "display/ColourMatch.h"

#include <cstring>

#include "display/DisplayPlatform.h"

namespace {

// The raw value of the first pixel of a locked surface: the little-endian
// word at the start of its memory, cut to the surface's bits per pixel.
// Only the bytes of that one pixel are read, so a narrow surface is never
// read past its first pixel.
std::uint32_t firstPixel(const DdSurfaceDesc& desc) {
    std::uint32_t bits = desc.pixelFormat.rgbBitCount;
    std::size_t bytes = (bits == 0 || bits >= 32) ? 4 : (bits + 7) / 8;
    unsigned char raw[4] = {0, 0, 0, 0};
    std::memcpy(raw, desc.surface, bytes);
    std::uint32_t word =
        static_cast<std::uint32_t>(raw[0]) | static_cast<std::uint32_t>(raw[1]) << 8 |
        static_cast<std::uint32_t>(raw[2]) << 16 | static_cast<std::uint32_t>(raw[3]) << 24;
    if (bits > 0 && bits < 32) word &= (1u << bits) - 1;
    return word;
}

}  // namespace

bool MatchColour(DdSurface* surface, std::uint32_t rgb, std::uint32_t* pixelValue) {
    if (!surface || !pixelValue) return false;
    Gdi& gdi = displayPlatform();

    // Let the platform draw the colour into pixel (0, 0), so that the value
    // read back is exactly what its own drawing (and so the bitmap copy)
    // writes for that colour in this surface's format.
    bool changed = false;
    std::uint32_t previous = 0;
    DeviceContext dc = nullptr;
    if (rgb != kNoColour && surface->GetDC(&dc) == DD_OK) {
        previous = gdi.GetPixel(dc, 0, 0);
        gdi.SetPixel(dc, 0, 0, rgb);
        surface->ReleaseDC(dc);
        changed = true;
    }

    bool read = false;
    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) == DD_OK) {
        if (desc.surface) {
            *pixelValue = firstPixel(desc);
            read = true;
        }
        surface->Unlock(nullptr);
    }

    if (changed && surface->GetDC(&dc) == DD_OK) {
        gdi.SetPixel(dc, 0, 0, previous);
        surface->ReleaseDC(dc);
    }
    return read;
}
