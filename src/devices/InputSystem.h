#pragma once

#include "base/Handles.h"
#include "devices/KeyboardDevice.h"

class InputContext;
class JoystickDevice;

// The game's input: the keyboard snapshot, refreshed by poll, and a joystick
// only when asked for.
class InputSystem {
public:
    InputSystem() = default;
    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;
    ~InputSystem() { teardown(); }

    // Set-up results are not reported: a device that failed to come up
    // simply reads as nothing pressed.
    void init(WindowHandle window, InstanceHandle instance, bool wantJoystick);
    // The keyboard poll's result (the joystick, if any, is polled first).
    int poll();
    // Releases the devices and the context and clears every field.
    void teardown();

    bool wantJoystick() const { return wantJoystick_; }
    InputContext* context() const { return context_; }
    KeyboardDevice* keyboard() const { return keyboard_; }
    JoystickDevice* joystick() const { return joystick_; }
    // Whether a key (DIK_ code) was down at the last poll; false with no keyboard.
    bool isKeyDown(int code) const { return keyboard_ && keyboard_->isDown(code); }

private:
    bool wantJoystick_ = false;
    InputContext* context_ = nullptr;
    KeyboardDevice* keyboard_ = nullptr;
    JoystickDevice* joystick_ = nullptr;
};
