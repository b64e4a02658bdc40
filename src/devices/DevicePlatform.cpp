#include "devices/DevicePlatform.h"

namespace {

// Without a platform there is no DirectInput and no DirectSound; the game
// runs with no key down and no sound device.
class AbsentDevicePlatform final : public DevicePlatform {
public:
    DiResult DirectInputCreateA(InstanceHandle, std::uint32_t, DirectInput** out) override {
        if (out) *out = nullptr;
        return DIERR_GENERIC;
    }
    DsResult DirectSoundCreate(const SoundDeviceGuid*, DirectSound** out) override {
        if (out) *out = nullptr;
        return DSERR_NODRIVER;
    }
};

AbsentDevicePlatform absentPlatform;
DevicePlatform* installed = nullptr;

}  // namespace

void installDevicePlatform(DevicePlatform* platform) { installed = platform; }

DevicePlatform& devicePlatform() { return installed ? *installed : absentPlatform; }
