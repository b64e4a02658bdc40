#include "platform/win32/Win32InputDevice.h"

#include <cstring>
#include <new>

#include "platform/win32/Win32WindowEnd.h"

static_assert(sizeof(DiGuid) == sizeof(GUID), "a GUID is 16 bytes on both sides");

GUID toWindowsGuid(const DiGuid& guid) {
    GUID windows;
    std::memcpy(&windows, &guid, sizeof windows);
    return windows;
}

DiResult Win32InputDevice::SetDataFormat(DiDataFormat format) {
    const DiResult result = device_->SetDataFormat(
        format == DiDataFormat::Keyboard ? &c_dfDIKeyboard : &c_dfDIJoystick);
    if (result == DI_OK) keyboard_ = format == DiDataFormat::Keyboard;
    return result;
}

DiResult Win32InputDevice::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
    const DiResult result = device_->SetCooperativeLevel(reinterpret_cast<HWND>(window), flags);
    if (result == DI_OK) window_ = reinterpret_cast<HWND>(window);
    return result;
}

// The intro and the title do not read messages; they only deliver those
// other programs send, so a WM_CLOSE sent to the window while they wait for
// a key destroys it, and with no window the keyboard can never be had
// again. From then on the keyboard reads as Escape held, and those screens
// end as Escape ends them. Play reads messages: a window destroyed in play
// ends the game by the WM_QUIT its end posted, and is not reported here.
// Knowing costs no call to the system; the window procedure told the shell.
bool Win32InputDevice::windowGone() const {
    return keyboard_ && window_ && window_ == reinterpret_cast<HWND>(windowDestroyedBeforePlay());
}

DiResult Win32InputDevice::Acquire() {
    if (windowGone()) return DI_OK;
    return device_->Acquire();
}

DiResult Win32InputDevice::Unacquire() { return device_->Unacquire(); }

DiResult Win32InputDevice::GetDeviceState(std::uint32_t size, void* data) {
    if (windowGone() && data && size == kKeyboardStateSize) {
        auto* keys = static_cast<std::uint8_t*>(data);
        std::memset(keys, 0, kKeyboardStateSize);
        keys[DIK_ESCAPE] = 0x80;
        return DI_OK;
    }
    return device_->GetDeviceState(size, data);
}

DiResult Win32InputDevice::SetProperty(const DiPropRange* range) {
    if (!range) return E_POINTER;
    DIPROPRANGE property;
    property.diph.dwSize = range->size;
    property.diph.dwHeaderSize = range->headerSize;
    property.diph.dwObj = range->object;
    property.diph.dwHow = range->how;
    property.lMin = range->min;
    property.lMax = range->max;
    return device_->SetProperty(DIPROP_RANGE, &property.diph);
}

DiResult Win32InputDevice::QueryInterface(const DiGuid& iid, DirectInputDevice2** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const GUID windowsIid = toWindowsGuid(iid);
    void* queried = nullptr;
    const HRESULT result = device_->QueryInterface(windowsIid, &queried);
    if (FAILED(result)) return result;
    // Only the second device interface is ever asked for.
    auto* device2 = static_cast<IDirectInputDevice2A*>(queried);
    auto* wrapper = new (std::nothrow) Win32InputDevice(device2, device2);
    if (!wrapper) {
        device2->Release();
        return E_OUTOFMEMORY;
    }
    wrapper->keyboard_ = keyboard_;
    wrapper->window_ = window_;
    *out = wrapper;
    return result;
}

std::uint32_t Win32InputDevice::Release() {
    const ULONG left = device_->Release();
    delete this;
    return left;
}

DiResult Win32InputDevice::Poll() { return device2_ ? device2_->Poll() : E_NOINTERFACE; }
