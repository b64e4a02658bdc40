#pragma once

#include "platform/win32/Win32Api.h"

// The display's surface on an IDirectDrawSurface (first interface version).
// Each wrapper owns exactly one reference to its COM object: a surface that
// is handed out twice (an attached surface asked for again) gets two
// wrappers, and each Release gives back that wrapper's reference and frees
// the wrapper, whatever references remain elsewhere.
class Win32DdSurface final : public DdSurface {
public:
    explicit Win32DdSurface(IDirectDrawSurface* surface) : surface_(surface) {}

    // Wraps a reference that DirectDraw has just handed out into *out. When
    // the wrapper cannot be made the reference is given back and the result
    // is DDERR_OUTOFMEMORY.
    static DdResult wrap(DdResult result, IDirectDrawSurface* surface, DdSurface** out);

    // The COM object behind one of ours (null for null).
    static IDirectDrawSurface* unwrap(DdSurface* surface) {
        return surface ? static_cast<Win32DdSurface*>(surface)->surface_ : nullptr;
    }

    DdResult Blt(const DdRect* destRect, DdSurface* source, const DdRect* sourceRect,
                 std::uint32_t flags, const DdBltFx* fx) override;
    DdResult Flip(DdSurface* targetOverride, std::uint32_t flags) override;
    DdResult GetAttachedSurface(std::uint32_t caps, DdSurface** out) override;
    DdResult IsLost() override;
    DdResult Restore() override;
    DdResult SetClipper(DdClipper* clipper) override;
    DdResult GetDC(DeviceContext* out) override;
    DdResult ReleaseDC(DeviceContext dc) override;
    DdResult Lock(const DdRect* rect, DdSurfaceDesc* desc, std::uint32_t flags,
                  void* event) override;
    DdResult Unlock(void* pointer) override;
    DdResult SetColorKey(std::uint32_t flags, const DdColorKey* key) override;
    std::uint32_t Release() override;

private:
    ~Win32DdSurface() = default;

    IDirectDrawSurface* surface_;
};
