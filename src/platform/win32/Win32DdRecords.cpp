#include "platform/win32/Win32DdRecords.h"

#include <cstddef>

// Where the first interface version's DDSURFACEDESC keeps the fields we use.
static_assert(offsetof(DDSURFACEDESC, dwHeight) == 8, "dwHeight");
static_assert(offsetof(DDSURFACEDESC, dwBackBufferCount) == 20, "dwBackBufferCount");
static_assert(offsetof(DDSURFACEDESC, lpSurface) == 36, "lpSurface");
static_assert(offsetof(DDSURFACEDESC, ddpfPixelFormat) == 72, "ddpfPixelFormat");
static_assert(offsetof(DDSURFACEDESC, ddsCaps) == 104, "ddsCaps");
static_assert(offsetof(DDBLTFX, dwFillColor) == 80, "dwFillColor");

DDSURFACEDESC toSurfaceDesc(const DdSurfaceDesc& from) {
    DDSURFACEDESC to;
    ZeroMemory(&to, sizeof(to));
    to.dwSize = from.size;
    to.dwFlags = from.flags;
    to.dwHeight = from.height;
    to.dwWidth = from.width;
    to.lPitch = from.pitch;
    to.dwBackBufferCount = from.backBufferCount;
    to.lpSurface = from.surface;
    if (from.flags & DDSD_PIXELFORMAT) {
        to.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        to.ddpfPixelFormat.dwFlags = DDPF_RGB;
        to.ddpfPixelFormat.dwRGBBitCount = from.pixelFormat.rgbBitCount;
        to.ddpfPixelFormat.dwRBitMask = from.pixelFormat.redMask;
        to.ddpfPixelFormat.dwGBitMask = from.pixelFormat.greenMask;
        to.ddpfPixelFormat.dwBBitMask = from.pixelFormat.blueMask;
    }
    to.ddsCaps.dwCaps = from.caps;
    return to;
}

void fromSurfaceDesc(const DDSURFACEDESC& from, DdSurfaceDesc* to) {
    to->size = from.dwSize;
    to->flags = from.dwFlags;
    to->height = from.dwHeight;
    to->width = from.dwWidth;
    to->pitch = from.lPitch;
    to->backBufferCount = from.dwBackBufferCount;
    to->surface = from.lpSurface;
    to->pixelFormat.rgbBitCount = from.ddpfPixelFormat.dwRGBBitCount;
    to->pixelFormat.redMask = from.ddpfPixelFormat.dwRBitMask;
    to->pixelFormat.greenMask = from.ddpfPixelFormat.dwGBitMask;
    to->pixelFormat.blueMask = from.ddpfPixelFormat.dwBBitMask;
    to->caps = from.ddsCaps.dwCaps;
}

DDBLTFX toBltFx(const DdBltFx& from) {
    DDBLTFX to;
    ZeroMemory(&to, sizeof(to));
    to.dwSize = from.size;
    to.dwFillColor = from.fillColor;
    return to;
}

DDCOLORKEY toColorKey(const DdColorKey& from) {
    DDCOLORKEY to;
    to.dwColorSpaceLowValue = from.lowValue;
    to.dwColorSpaceHighValue = from.highValue;
    return to;
}

RECT toRect(const DdRect& from) {
    RECT to;
    to.left = from.left;
    to.top = from.top;
    to.right = from.right;
    to.bottom = from.bottom;
    return to;
}
