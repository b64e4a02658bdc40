#pragma once

#include "devices/DevicePlatform.h"

class SdlPlayerKeys;
class SdlSoundOutput;

// DirectInput and DirectSound on SDL. The window a device is given for its
// cooperative level is the SDL_Window* cast to a WindowHandle. The keys come
// from `source`, the sound device from `sound` (none: no sound device).
class SdlDevicePlatform final : public DevicePlatform {
public:
    explicit SdlDevicePlatform(SdlPlayerKeys* source, SdlSoundOutput* sound = nullptr);

    DiResult DirectInputCreateA(InstanceHandle instance, std::uint32_t version,
                                DirectInput** out) override;
    DsResult DirectSoundCreate(const SoundDeviceGuid* device, DirectSound** out) override;

private:
    SdlPlayerKeys* source_;
    SdlSoundOutput* sound_;
};
