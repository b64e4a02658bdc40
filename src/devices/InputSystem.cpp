#include "devices/InputSystem.h"

#include "devices/InputContext.h"
#include "devices/JoystickDevice.h"

void InputSystem::init(WindowHandle window, InstanceHandle instance, bool wantJoystick) {
    // Set up once; a repeated init starts over rather than leaking the first.
    if (context_) teardown();
    wantJoystick_ = wantJoystick;
    context_ = new InputContext;
    context_->create(instance, window);
    keyboard_ = new KeyboardDevice;
    keyboard_->init(context_);
    if (wantJoystick_) {
        joystick_ = new JoystickDevice;
        joystick_->init(context_);
    }
}

int InputSystem::poll() {
    if (wantJoystick_ && joystick_) joystick_->poll();
    return keyboard_ ? keyboard_->poll() : 0;
}

void InputSystem::teardown() {
    // Devices before the DirectInput object they were made from.
    if (joystick_) {
        joystick_->release();
        delete joystick_;
    }
    if (keyboard_) {
        keyboard_->release();
        delete keyboard_;
    }
    if (context_) {
        context_->release();
        delete context_;
    }
    wantJoystick_ = false;
    context_ = nullptr;
    keyboard_ = nullptr;
    joystick_ = nullptr;
}
