#include "devices/InputDevice.h"

int InputDevice::release() {
    if (isAcquired()) unacquire();
    if (isAttached() && device_) device_->Release();
    reset();
    return 1;
}

int InputDevice::reset() {
    context_ = nullptr;
    device_ = nullptr;
    acquired_ = false;
    return 1;
}

int InputDevice::isAttached() const { return context_ != nullptr; }

int InputDevice::acquire() { return acquireOn(device_); }

int InputDevice::unacquire() { return unacquireOn(device_); }

int InputDevice::isAcquired() const { return acquired_; }

int InputDevice::acquireOn(DirectInputDevice* target) {
    if (!isAttached() || !target) return 0;
    if (acquired_) return 1;
    // S_FALSE ("already acquired elsewhere") does not count: only a clean
    // acquire is remembered, so a doubtful one is tried again next time.
    acquired_ = target->Acquire() == DI_OK;
    return acquired_;
}

int InputDevice::unacquireOn(DirectInputDevice* target) {
    if (!acquired_) return 1;
    if (!target || target->Unacquire() != DI_OK) return 0;
    acquired_ = false;
    return 1;
}
