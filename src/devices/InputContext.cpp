#include "devices/InputContext.h"

#include <algorithm>
#include <cstring>

#include "devices/DevicePlatform.h"

int InputContext::create(InstanceHandle instance, WindowHandle window) {
    if (directInput_) release();
    DirectInput* object = nullptr;
    if (devicePlatform().DirectInputCreateA(instance, DIRECTINPUT_VERSION_7, &object) != DI_OK ||
        !object) {
        return 0;
    }
    directInput_ = object;
    instance_ = instance;
    window_ = window;
    return 1;
}

int InputContext::release() {
    if (directInput_) directInput_->Release();
    directInput_ = nullptr;
    instance_ = nullptr;
    window_ = nullptr;
    joystick_ = DiDeviceInstance{};
    enumerationCount_ = 0;
    return 1;
}

int InputContext::createDevice(const DiGuid& guid, DirectInputDevice** device) {
    if (!directInput_ || !device) return 0;
    DirectInputDevice* made = nullptr;
    if (directInput_->CreateDevice(guid, &made) != DI_OK || !made) return 0;
    *device = made;
    return 1;
}

const DiDeviceInstance* InputContext::findJoystick() {
    if (!directInput_) return nullptr;
    if (directInput_->EnumDevices(DIDEVTYPE_JOYSTICK, &InputContext::enumJoystick, this,
                                  DIEDFL_ATTACHEDONLY) < 0) {
        return nullptr;
    }
    // An enumeration that offered nothing leaves an empty record, which
    // names no device.
    return enumerationCount_ > 0 ? &joystick_ : nullptr;
}

int InputContext::enumJoystick(const DiDeviceInstance* instance, void* context) {
    auto* self = static_cast<InputContext*>(context);
    if (!self || !instance || self->enumerationCount_ > 1) return DIENUM_STOP;
    ++self->enumerationCount_;
    // The record says how long it is; never copy more than ours holds.
    const std::size_t size = std::min<std::size_t>(instance->size, sizeof self->joystick_);
    std::memcpy(&self->joystick_, instance, size);
    return DIENUM_CONTINUE;
}
