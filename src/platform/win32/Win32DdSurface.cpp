#include "platform/win32/Win32DdSurface.h"

#include <new>

#include "platform/win32/Win32DdClipper.h"
#include "platform/win32/Win32DdRecords.h"

DdResult Win32DdSurface::wrap(DdResult result, IDirectDrawSurface* surface, DdSurface** out) {
    *out = nullptr;
    if (result != DD_OK || surface == nullptr) return result;
    Win32DdSurface* wrapper = new (std::nothrow) Win32DdSurface(surface);
    if (wrapper == nullptr) {
        surface->Release();
        return DDERR_OUTOFMEMORY;
    }
    *out = wrapper;
    return result;
}

DdResult Win32DdSurface::Blt(const DdRect* destRect, DdSurface* source, const DdRect* sourceRect,
                             std::uint32_t flags, const DdBltFx* fx) {
    OptionalRect dest(destRect);
    OptionalRect from(sourceRect);
    DDBLTFX effects;
    if (fx) effects = toBltFx(*fx);
    return surface_->Blt(dest.get(), unwrap(source), from.get(), flags, fx ? &effects : nullptr);
}

DdResult Win32DdSurface::Flip(DdSurface* targetOverride, std::uint32_t flags) {
    return surface_->Flip(unwrap(targetOverride), flags);
}

DdResult Win32DdSurface::GetAttachedSurface(std::uint32_t caps, DdSurface** out) {
    if (out == nullptr) return DDERR_INVALIDPARAMS;
    DDSCAPS wanted;
    wanted.dwCaps = caps;
    IDirectDrawSurface* attached = nullptr;
    DdResult result = surface_->GetAttachedSurface(&wanted, &attached);
    return wrap(result, attached, out);
}

DdResult Win32DdSurface::IsLost() { return surface_->IsLost(); }

DdResult Win32DdSurface::Restore() { return surface_->Restore(); }

DdResult Win32DdSurface::SetClipper(DdClipper* clipper) {
    return surface_->SetClipper(Win32DdClipper::unwrap(clipper));
}

DdResult Win32DdSurface::GetDC(DeviceContext* out) {
    if (out == nullptr) return DDERR_INVALIDPARAMS;
    HDC dc = nullptr;
    DdResult result = surface_->GetDC(&dc);
    *out = result == DD_OK ? toDeviceContext(dc) : nullptr;
    return result;
}

DdResult Win32DdSurface::ReleaseDC(DeviceContext dc) { return surface_->ReleaseDC(toHdc(dc)); }

DdResult Win32DdSurface::Lock(const DdRect* rect, DdSurfaceDesc* desc, std::uint32_t flags,
                              void* event) {
    if (desc == nullptr) return DDERR_INVALIDPARAMS;
    OptionalRect area(rect);
    DDSURFACEDESC locked = toSurfaceDesc(*desc);
    DdResult result = surface_->Lock(area.get(), &locked, flags, static_cast<HANDLE>(event));
    if (result == DD_OK) fromSurfaceDesc(locked, desc);
    return result;
}

DdResult Win32DdSurface::Unlock(void* pointer) { return surface_->Unlock(pointer); }

DdResult Win32DdSurface::SetColorKey(std::uint32_t flags, const DdColorKey* key) {
    DDCOLORKEY colorKey;
    if (key) colorKey = toColorKey(*key);
    return surface_->SetColorKey(flags, key ? &colorKey : nullptr);
}

std::uint32_t Win32DdSurface::Release() {
    ULONG left = surface_->Release();
    delete this;
    return left;
}
