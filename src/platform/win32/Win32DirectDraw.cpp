#include "platform/win32/Win32DirectDraw.h"

#include <new>

#include "platform/win32/Win32DdClipper.h"
#include "platform/win32/Win32DdRecords.h"
#include "platform/win32/Win32DdSurface.h"

DdResult Win32DirectDraw::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
    return directDraw_->SetCooperativeLevel(toHwnd(window), flags);
}

DdResult Win32DirectDraw::SetDisplayMode(std::uint32_t width, std::uint32_t height,
                                         std::uint32_t bitsPerPixel) {
    DdResult result = directDraw_->SetDisplayMode(width, height, bitsPerPixel);
    if (result == DD_OK) pacer_.displayModeChanged();
    return result;
}

DdResult Win32DirectDraw::CreateSurface(const DdSurfaceDesc* desc, DdSurface** out) {
    if (desc == nullptr || out == nullptr) return DDERR_INVALIDPARAMS;
    DDSURFACEDESC request = toSurfaceDesc(*desc);
    IDirectDrawSurface* surface = nullptr;
    DdResult result = directDraw_->CreateSurface(&request, &surface, nullptr);
    return Win32DdSurface::wrap(result, surface, out);
}

DdResult Win32DirectDraw::CreateClipper(std::uint32_t flags, DdClipper** out) {
    if (out == nullptr) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    DdResult result = directDraw_->CreateClipper(flags, &clipper, nullptr);
    if (result != DD_OK || clipper == nullptr) return result;
    Win32DdClipper* wrapper = new (std::nothrow) Win32DdClipper(clipper);
    if (wrapper == nullptr) {
        clipper->Release();
        return DDERR_OUTOFMEMORY;
    }
    *out = wrapper;
    return result;
}

DdResult Win32DirectDraw::WaitForVerticalBlank(std::uint32_t flags, void* event) {
    std::int64_t called = Win32RefreshPacer::beforeWait();
    DdResult result = directDraw_->WaitForVerticalBlank(flags, static_cast<HANDLE>(event));
    // Paced whatever the result: a wait that fails at once must not let the
    // frame loop spin either.
    pacer_.afterWait(called);
    return result;
}

std::uint32_t Win32DirectDraw::Release() {
    ULONG left = directDraw_->Release();
    delete this;
    return left;
}
