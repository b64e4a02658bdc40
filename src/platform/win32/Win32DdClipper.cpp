#include "platform/win32/Win32DdClipper.h"

DdResult Win32DdClipper::SetHWnd(std::uint32_t flags, WindowHandle window) {
    return clipper_->SetHWnd(flags, toHwnd(window));
}

std::uint32_t Win32DdClipper::Release() {
    ULONG left = clipper_->Release();
    delete this;
    return left;
}
