#pragma once

#include "devices/DirectInputApi.h"
#include "devices/DirectSoundApi.h"

// The entry points of DirectInput and DirectSound. A platform layer installs
// one before the devices are created; tests install mocks.
class DevicePlatform {
public:
    virtual DiResult DirectInputCreateA(InstanceHandle instance, std::uint32_t version,
                                        DirectInput** out) = 0;
    virtual DsResult DirectSoundCreate(const SoundDeviceGuid* device, DirectSound** out) = 0;

protected:
    ~DevicePlatform() = default;
};

void installDevicePlatform(DevicePlatform* platform);
DevicePlatform& devicePlatform();
