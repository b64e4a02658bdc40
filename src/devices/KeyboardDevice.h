#pragma once

#include <cstdint>

#include "devices/InputDevice.h"

// The system keyboard as a 256-byte snapshot indexed by DIK_ key code; a key
// is down while bit 0x80 of its byte is set.
class KeyboardDevice final : public InputDevice {
public:
    static constexpr int kKeyCount = 256;
    static constexpr std::uint8_t kDownBit = 0x80;

    KeyboardDevice() = default;
    ~KeyboardDevice() { release(); }

    int init(InputContext* context) override;
    int poll() override;

    const std::uint8_t (&keys() const)[kKeyCount] { return keys_; }
    bool isDown(int code) const {
        return code >= 0 && code < kKeyCount && (keys_[code] & kDownBit) != 0;
    }

private:
    std::uint8_t keys_[kKeyCount] = {};
};
