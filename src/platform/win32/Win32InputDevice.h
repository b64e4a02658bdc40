#pragma once

#include "platform/win32/Win32DeviceHeaders.h"

// One reference to a DirectInput device, passed straight through, but for a
// keyboard whose window was destroyed before play (see windowGone). A device
// obtained through QueryInterface holds the second interface as well, for
// Poll. Release gives up the reference and the wrapper with it.
class Win32InputDevice final : public DirectInputDevice2 {
public:
    explicit Win32InputDevice(IDirectInputDeviceA* device, IDirectInputDevice2A* device2 = nullptr)
        : device_(device), device2_(device2) {}
    Win32InputDevice(const Win32InputDevice&) = delete;
    Win32InputDevice& operator=(const Win32InputDevice&) = delete;

    DiResult SetDataFormat(DiDataFormat format) override;
    DiResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override;
    DiResult Acquire() override;
    DiResult Unacquire() override;
    DiResult GetDeviceState(std::uint32_t size, void* data) override;
    DiResult SetProperty(const DiPropRange* range) override;
    DiResult QueryInterface(const DiGuid& iid, DirectInputDevice2** out) override;
    std::uint32_t Release() override;
    DiResult Poll() override;

private:
    static constexpr std::uint32_t kKeyboardStateSize = 256;

    ~Win32InputDevice() = default;
    bool windowGone() const;

    IDirectInputDeviceA* device_;
    IDirectInputDevice2A* device2_;
    bool keyboard_ = false;
    HWND window_ = nullptr;
};

// The GUID the seam carries, as Windows lays it out (the same bytes).
GUID toWindowsGuid(const DiGuid& guid);
