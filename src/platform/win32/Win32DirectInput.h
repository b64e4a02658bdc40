#pragma once

#include "platform/win32/Win32DeviceHeaders.h"

// One reference to the DirectInput object, passed straight through.
class Win32DirectInput final : public DirectInput {
public:
    explicit Win32DirectInput(IDirectInputA* directInput) : directInput_(directInput) {}
    Win32DirectInput(const Win32DirectInput&) = delete;
    Win32DirectInput& operator=(const Win32DirectInput&) = delete;

    DiResult CreateDevice(const DiGuid& guid, DirectInputDevice** out) override;
    DiResult EnumDevices(std::uint32_t devType, DiEnumDevicesCallback callback, void* context,
                         std::uint32_t flags) override;
    std::uint32_t Release() override;

private:
    ~Win32DirectInput() = default;

    IDirectInputA* directInput_;
};
