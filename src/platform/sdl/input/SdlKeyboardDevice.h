#pragma once

#include <cstdint>

#include "platform/sdl/input/SdlInputDevice.h"

// The system keyboard on SDL: a read fills DirectInput's 256-byte snapshot
// from SDL's key state, key by key place.
class SdlKeyboardDevice final : public SdlInputDevice {
public:
    explicit SdlKeyboardDevice(SdlPlayerKeys* source);

    DiResult GetDeviceState(std::uint32_t size, void* data) override;

private:
    // The last read, for the latency log, which notes only a key going down.
    std::uint8_t lastRead_[256] = {};
};
