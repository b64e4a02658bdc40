#pragma once

#include "devices/DirectInputApi.h"

class InputContext;

// A DirectInput device attached to an InputContext, with the acquire
// bookkeeping shared by the keyboard and the joystick. Every operation answers
// 1 for yes or success and 0 for no or failure.
class InputDevice {
public:
    InputDevice() = default;
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    // Unacquires, releases the held interface and detaches.
    virtual int release();
    // Forgets the context and the interface without releasing anything.
    virtual int reset();
    virtual int init(InputContext* context) = 0;
    virtual int isAttached() const;
    virtual int acquire();
    virtual int unacquire();
    virtual int isAcquired() const;
    virtual int poll() = 0;

    InputContext* context() const { return context_; }
    DirectInputDevice* platformDevice() const { return device_; }

protected:
    // Owners delete the concrete device, never through this base.
    ~InputDevice() = default;

    // The acquire bookkeeping on whichever interface the device reads from.
    int acquireOn(DirectInputDevice* target);
    int unacquireOn(DirectInputDevice* target);

    InputContext* context_ = nullptr;
    DirectInputDevice* device_ = nullptr;
    bool acquired_ = false;
};

// The results of a read that mean the platform took the device away (another
// window came to the foreground): the device must be acquired afresh.
inline bool isInputLost(DiResult result) {
    return result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED;
}
