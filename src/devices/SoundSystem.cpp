#include "devices/SoundSystem.h"

#include "devices/DevicePlatform.h"

int SoundSystem::create(WindowHandle window, const SoundDeviceGuid* device, std::uint32_t level) {
    if (directSound_) release();
    DirectSound* object = nullptr;
    if (devicePlatform().DirectSoundCreate(device, &object) != DS_OK || !object) return 0;
    // Held from here on, even if the cooperative level is refused, so that
    // shutdown releases it.
    directSound_ = object;
    if (directSound_->SetCooperativeLevel(window, level) != DS_OK) return 0;
    window_ = window;
    device_ = device;
    return 1;
}

int SoundSystem::release() {
    if (directSound_) directSound_->Release();
    directSound_ = nullptr;
    return 1;
}
