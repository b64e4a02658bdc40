#pragma once

#include <SDL.h>

#include <cstdint>

#include "devices/DirectSoundApi.h"
#include "platform/RefCounted.h"

class SdlSoundOutput;

// DirectSound on SDL: it holds the program's SDL audio device
// (SdlSoundOutput), which plays the game's sound effects when the program
// has enabled them and is otherwise opened paused; the game never makes a
// sound buffer. Release closes the device.
class SdlDirectSound final : public RefCounted<DirectSound> {
public:
    // Opens the default output through `output`; DSERR_NODRIVER when SDL
    // has none.
    static DsResult open(SdlSoundOutput& output, DirectSound** out);

    SdlDirectSound(const SdlDirectSound&) = delete;
    SdlDirectSound& operator=(const SdlDirectSound&) = delete;

    DsResult SetCooperativeLevel(WindowHandle window, std::uint32_t level) override;

    SDL_AudioDeviceID audioDevice() const { return device_; }
    std::uint32_t cooperativeLevel() const { return level_; }

private:
    SdlDirectSound(SdlSoundOutput& output, SDL_AudioDeviceID device)
        : output_(output), device_(device) {}
    ~SdlDirectSound() override;

    SdlSoundOutput& output_;
    SDL_AudioDeviceID device_;
    std::uint32_t level_ = 0;
};
