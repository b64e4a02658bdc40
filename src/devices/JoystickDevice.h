#pragma once

#include <cstdint>

#include "devices/InputDevice.h"

// The first or second attached joystick, read through its second interface
// with both axes scaled to -1000..1000.
class JoystickDevice final : public InputDevice {
public:
    static constexpr int kButtonCount = 12;
    static constexpr std::int32_t kAxisMin = -1000;
    static constexpr std::int32_t kAxisMax = 1000;

    JoystickDevice() = default;
    ~JoystickDevice() { release(); }

    // Releases the second interface, which the base does not know about.
    int release() override;
    int init(InputContext* context) override;
    int acquire() override;
    int unacquire() override;
    int poll() override;

    DirectInputDevice2* platformDevice2() const { return device2_; }
    std::int32_t x() const { return x_; }
    std::int32_t y() const { return y_; }
    bool button(int index) const { return index >= 0 && index < kButtonCount && buttons_[index]; }

private:
    int setAxisRange(std::uint32_t axis);
    DiResult pollAndRead(DiJoyState* state);
    void dropDevice2();

    DirectInputDevice2* device2_ = nullptr;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    bool buttons_[kButtonCount] = {};
};
