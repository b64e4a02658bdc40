#include "platform/sdl/input/SdlDevicePlatform.h"

#include <new>

#include "platform/sdl/audio/SdlDirectSound.h"
#include "platform/sdl/input/SdlDirectInput.h"
#include "platform/sdl/input/SdlInputDevice.h"

namespace {
constexpr std::uint32_t kOldestVersion = 0x0300;
}  // namespace

SdlDevicePlatform::SdlDevicePlatform(SdlPlayerKeys* source, SdlSoundOutput* sound)
    : source_(source), sound_(sound) {}

DiResult SdlDevicePlatform::DirectInputCreateA(InstanceHandle, std::uint32_t version,
                                               DirectInput** out) {
    if (!out) return DIERR_INVALIDPARAM;
    *out = nullptr;
    // The interfaces here are those of version 7 and the ones before it.
    if (version < kOldestVersion) return DIERR_OLDDIRECTINPUTVERSION;
    if (version > DIRECTINPUT_VERSION_7) return DIERR_BETADIRECTINPUTVERSION;
    auto* directInput = new (std::nothrow) SdlDirectInput(source_);
    if (!directInput) return DIERR_OUTOFMEMORY;
    *out = directInput;
    return DI_OK;
}

DsResult SdlDevicePlatform::DirectSoundCreate(const SoundDeviceGuid*, DirectSound** out) {
    if (!sound_) {
        if (out) *out = nullptr;
        return out ? DSERR_NODRIVER : DSERR_INVALIDPARAM;
    }
    // SDL names no devices by GUID: every request gets the default output.
    return SdlDirectSound::open(*sound_, out);
}
