#pragma once

#include "platform/win32/Win32Api.h"

// Conversions between the display's own records and DirectDraw's. The core
// fills only the fields it uses; everything else goes to DirectDraw as zero.

// DirectDraw's first interface version checks dwSize against these sizes.
static_assert(sizeof(DDSURFACEDESC) == kSurfaceDescSize, "DDSURFACEDESC must be 108 bytes");
static_assert(sizeof(DDBLTFX) == kBltFxSize, "DDBLTFX must be 100 bytes");
static_assert(sizeof(DDCOLORKEY) == 8, "DDCOLORKEY must be 8 bytes");
static_assert(sizeof(RECT) == sizeof(DdRect), "RECT must be four 32-bit edges");

DDSURFACEDESC toSurfaceDesc(const DdSurfaceDesc& from);
// Copies back what CreateSurface or Lock report about a surface.
void fromSurfaceDesc(const DDSURFACEDESC& from, DdSurfaceDesc* to);
DDBLTFX toBltFx(const DdBltFx& from);
DDCOLORKEY toColorKey(const DdColorKey& from);
RECT toRect(const DdRect& from);

// A rectangle argument that may be absent (meaning the whole surface).
class OptionalRect {
public:
    explicit OptionalRect(const DdRect* rect) : present_(rect != nullptr) {
        if (rect) rect_ = toRect(*rect);
    }
    RECT* get() { return present_ ? &rect_ : nullptr; }

private:
    bool present_;
    RECT rect_{};
};
