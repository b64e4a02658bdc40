#include "platform/sdl/audio/SdlDirectSound.h"

#include <new>

#include "platform/sdl/audio/SdlSoundOutput.h"

namespace {

// DSSCL_NORMAL to DSSCL_WRITEPRIMARY.
constexpr std::uint32_t kLowestLevel = 1;
constexpr std::uint32_t kHighestLevel = 4;

}  // namespace

DsResult SdlDirectSound::open(SdlSoundOutput& output, DirectSound** out) {
    if (!out) return DSERR_INVALIDPARAM;
    *out = nullptr;
    const SDL_AudioDeviceID device = output.openDevice();
    if (device == 0) return DSERR_NODRIVER;
    auto* sound = new (std::nothrow) SdlDirectSound(output, device);
    if (!sound) {
        output.closeDevice(device);
        return DSERR_NODRIVER;
    }
    *out = sound;
    return DS_OK;
}

SdlDirectSound::~SdlDirectSound() { output_.closeDevice(device_); }

DsResult SdlDirectSound::SetCooperativeLevel(WindowHandle, std::uint32_t level) {
    if (level < kLowestLevel || level > kHighestLevel) return DSERR_INVALIDPARAM;
    level_ = level;
    return DS_OK;
}
