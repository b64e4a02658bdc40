#pragma once

#include "devices/DevicePlatform.h"

class SdlPlayerKeys;

// DirectInput and DirectSound on SDL. The window a device is given for its
// cooperative level is the SDL_Window* cast to a WindowHandle.
class SdlDevicePlatform final : public DevicePlatform {
public:
    explicit SdlDevicePlatform(SdlPlayerKeys* source);

    DiResult DirectInputCreateA(InstanceHandle instance, std::uint32_t version,
                                DirectInput** out) override;
    DsResult DirectSoundCreate(const SoundDeviceGuid* device, DirectSound** out) override;

private:
    SdlPlayerKeys* source_;
};

// The program's device platform, reading SDL's own keyboard.
DevicePlatform& sdlDevicePlatform();
