#pragma once

#include <cstdint>

#include "base/Handles.h"

// The display's seam to the platform: exactly the DirectDraw calls (first
// interface version) that the display classes make, with DirectDraw's own
// flag values and result codes. The Windows layer passes each call straight
// through; the SDL layer reproduces the same behaviour on software surfaces.

using DdResult = std::int32_t;

constexpr DdResult DD_OK = 0;
constexpr DdResult DDERR_GENERIC = static_cast<DdResult>(0x80004005u);
constexpr DdResult DDERR_INVALIDPARAMS = static_cast<DdResult>(0x80070057u);
constexpr DdResult DDERR_OUTOFMEMORY = static_cast<DdResult>(0x8007000Eu);
constexpr DdResult DDERR_SURFACELOST = static_cast<DdResult>(0x887601C2u);
constexpr DdResult DDERR_NOTFOUND = static_cast<DdResult>(0x887600FFu);
constexpr DdResult DDERR_WASSTILLDRAWING = static_cast<DdResult>(0x8876021Cu);
constexpr DdResult DDERR_CANTCREATEDC = static_cast<DdResult>(0x88760221u);
constexpr DdResult DDERR_IMPLICITLYCREATED = static_cast<DdResult>(0x8876024Cu);

// Cooperative levels.
constexpr std::uint32_t DDSCL_FULLSCREEN = 0x00000001;
constexpr std::uint32_t DDSCL_NORMAL = 0x00000008;
constexpr std::uint32_t DDSCL_EXCLUSIVE = 0x00000010;

// Surface description flags.
constexpr std::uint32_t DDSD_CAPS = 0x00000001;
constexpr std::uint32_t DDSD_HEIGHT = 0x00000002;
constexpr std::uint32_t DDSD_WIDTH = 0x00000004;
constexpr std::uint32_t DDSD_PITCH = 0x00000008;
constexpr std::uint32_t DDSD_BACKBUFFERCOUNT = 0x00000020;
constexpr std::uint32_t DDSD_PIXELFORMAT = 0x00001000;

// Surface capabilities.
constexpr std::uint32_t DDSCAPS_BACKBUFFER = 0x00000004;
constexpr std::uint32_t DDSCAPS_COMPLEX = 0x00000008;
constexpr std::uint32_t DDSCAPS_FLIP = 0x00000010;
constexpr std::uint32_t DDSCAPS_FRONTBUFFER = 0x00000020;
constexpr std::uint32_t DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr std::uint32_t DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr std::uint32_t DDSCAPS_SYSTEMMEMORY = 0x00000800;

// Blit, flip, lock, wait and colour-key flags.
constexpr std::uint32_t DDBLT_COLORFILL = 0x00000400;
constexpr std::uint32_t DDBLT_KEYSRC = 0x00008000;
constexpr std::uint32_t DDBLT_WAIT = 0x01000000;
constexpr std::uint32_t DDFLIP_WAIT = 0x00000001;
constexpr std::uint32_t DDLOCK_WAIT = 0x00000001;
constexpr std::uint32_t DDWAITVB_BLOCKBEGIN = 0x00000001;
constexpr std::uint32_t DDCKEY_SRCBLT = 0x00000008;

// Sizes that the records declare of themselves, as DirectDraw expects them.
constexpr std::uint32_t kSurfaceDescSize = 108;
constexpr std::uint32_t kBltFxSize = 100;

// Right and bottom are exclusive.
struct DdRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct DdPixelFormat {
    std::uint32_t rgbBitCount;
    std::uint32_t redMask;
    std::uint32_t greenMask;
    std::uint32_t blueMask;
};

// The fields of DDSURFACEDESC that the display reads or writes.
struct DdSurfaceDesc {
    std::uint32_t size;
    std::uint32_t flags;
    std::uint32_t height;
    std::uint32_t width;
    std::int32_t pitch;
    std::uint32_t backBufferCount;
    void* surface;  // lpSurface, filled by Lock
    DdPixelFormat pixelFormat;
    std::uint32_t caps;
};

// The fields of DDBLTFX that the display uses.
struct DdBltFx {
    std::uint32_t size;
    std::uint32_t fillColor;
};

struct DdColorKey {
    std::uint32_t lowValue;
    std::uint32_t highValue;
};

struct DeviceContextObject;
using DeviceContext = DeviceContextObject*;

struct DriverGuid;

class DdClipper {
public:
    virtual DdResult SetHWnd(std::uint32_t flags, WindowHandle window) = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~DdClipper() = default;
};

class DdSurface {
public:
    virtual DdResult Blt(const DdRect* destRect, DdSurface* source, const DdRect* sourceRect,
                         std::uint32_t flags, const DdBltFx* fx) = 0;
    virtual DdResult Flip(DdSurface* targetOverride, std::uint32_t flags) = 0;
    virtual DdResult GetAttachedSurface(std::uint32_t caps, DdSurface** out) = 0;
    virtual DdResult IsLost() = 0;
    virtual DdResult Restore() = 0;
    virtual DdResult SetClipper(DdClipper* clipper) = 0;
    virtual DdResult GetDC(DeviceContext* out) = 0;
    virtual DdResult ReleaseDC(DeviceContext dc) = 0;
    virtual DdResult Lock(const DdRect* rect, DdSurfaceDesc* desc, std::uint32_t flags,
                          void* event) = 0;
    virtual DdResult Unlock(void* pointer) = 0;
    virtual DdResult SetColorKey(std::uint32_t flags, const DdColorKey* key) = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~DdSurface() = default;
};

class DirectDraw {
public:
    virtual DdResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) = 0;
    virtual DdResult SetDisplayMode(std::uint32_t width, std::uint32_t height,
                                    std::uint32_t bitsPerPixel) = 0;
    virtual DdResult CreateSurface(const DdSurfaceDesc* desc, DdSurface** out) = 0;
    virtual DdResult CreateClipper(std::uint32_t flags, DdClipper** out) = 0;
    virtual DdResult WaitForVerticalBlank(std::uint32_t flags, void* event) = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~DirectDraw() = default;
};
