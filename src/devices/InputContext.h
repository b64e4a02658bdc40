#pragma once

#include <cstdint>

#include "devices/DirectInputApi.h"

// The DirectInput object with the window and instance its devices belong to,
// and the record of the joystick the enumeration found.
class InputContext {
public:
    InputContext() = default;
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;
    ~InputContext() { release(); }

    int create(InstanceHandle instance, WindowHandle window);
    int release();
    int createDevice(const DiGuid& guid, DirectInputDevice** device);
    // The attached joystick's record, or null when there is none.
    const DiDeviceInstance* findJoystick();
    // The enumeration callback; `context` is the InputContext.
    static int enumJoystick(const DiDeviceInstance* instance, void* context);

    DirectInput* directInput() const { return directInput_; }
    InstanceHandle instance() const { return instance_; }
    WindowHandle window() const { return window_; }
    const DiDeviceInstance& joystickRecord() const { return joystick_; }
    std::int32_t enumerationCount() const { return enumerationCount_; }

private:
    DirectInput* directInput_ = nullptr;
    InstanceHandle instance_ = nullptr;
    WindowHandle window_ = nullptr;
    DiDeviceInstance joystick_ = {};
    std::int32_t enumerationCount_ = 0;
};
