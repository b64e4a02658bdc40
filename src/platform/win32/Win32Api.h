#pragma once

// The one way the Windows layer reaches the Windows headers. The seams name
// the DirectDraw, GDI and window-manager constants as C++ constants, while
// windows.h and ddraw.h define the same names as macros; the seams therefore
// have to be read first, or the macros would rewrite their declarations.

// clang-format off
#include "base/Handles.h"
#include "base/ShellPlatform.h"
#include "display/DirectDrawApi.h"
#include "display/GdiApi.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <ddraw.h>
#include <mmsystem.h>
// clang-format on

// The core only passes handles along; these turn them back into what they
// are on Windows.
inline HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle toWindowHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }
inline HINSTANCE toHinstance(InstanceHandle instance) {
    return reinterpret_cast<HINSTANCE>(instance);
}
inline InstanceHandle toInstanceHandle(HINSTANCE instance) {
    return reinterpret_cast<InstanceHandle>(instance);
}
inline HDC toHdc(DeviceContext dc) { return reinterpret_cast<HDC>(dc); }
inline DeviceContext toDeviceContext(HDC dc) { return reinterpret_cast<DeviceContext>(dc); }
inline HGDIOBJ toHgdiobj(GdiObject object) { return reinterpret_cast<HGDIOBJ>(object); }
inline GdiObject toGdiObject(HGDIOBJ object) { return reinterpret_cast<GdiObject>(object); }
