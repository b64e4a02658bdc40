#include "platform/win32/Win32DirectSound.h"

DsResult Win32DirectSound::SetCooperativeLevel(WindowHandle window, std::uint32_t level) {
    return sound_->SetCooperativeLevel(reinterpret_cast<HWND>(window), level);
}

std::uint32_t Win32DirectSound::Release() {
    const ULONG left = sound_->Release();
    delete this;
    return left;
}
