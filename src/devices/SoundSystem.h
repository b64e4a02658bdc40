#pragma once

#include <cstdint>

#include "devices/DirectSoundApi.h"

// The DirectSound device opened for the game window. Nothing is ever played
// on it; it is held from start-up to shutdown.
class SoundSystem {
public:
    SoundSystem() = default;
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;
    ~SoundSystem() { release(); }

    int create(WindowHandle window, const SoundDeviceGuid* device, std::uint32_t level);
    int release();

    DirectSound* directSound() const { return directSound_; }
    const SoundDeviceGuid* device() const { return device_; }
    WindowHandle window() const { return window_; }

private:
    DirectSound* directSound_ = nullptr;
    const SoundDeviceGuid* device_ = nullptr;
    WindowHandle window_ = nullptr;
};
