#include "platform/sdl/SdlDirectSound.h"

#include <cstring>
#include <new>

namespace {

constexpr int kFrequency = 22050;
constexpr Uint16 kSamples = 1024;
// DSSCL_NORMAL to DSSCL_WRITEPRIMARY.
constexpr std::uint32_t kLowestLevel = 1;
constexpr std::uint32_t kHighestLevel = 4;

// Should the device ever be unpaused, it still only plays silence: the
// device is opened as signed 16-bit (SDL converts for the hardware), whose
// silence is zero.
void SDLCALL feedSilence(void*, Uint8* stream, int length) {
    std::memset(stream, 0, static_cast<std::size_t>(length));
}

}  // namespace

DsResult SdlDirectSound::open(DirectSound** out) {
    if (!out) return kDsInvalidParam;
    *out = nullptr;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return DSERR_NODRIVER;

    SDL_AudioSpec wanted{};
    wanted.freq = kFrequency;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kSamples;
    wanted.callback = feedSilence;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return DSERR_NODRIVER;
    }
    // Opened devices start paused; they stay so.
    auto* sound = new (std::nothrow) SdlDirectSound(device);
    if (!sound) {
        SDL_CloseAudioDevice(device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return DSERR_NODRIVER;
    }
    *out = sound;
    return DS_OK;
}

SdlDirectSound::~SdlDirectSound() {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

DsResult SdlDirectSound::SetCooperativeLevel(WindowHandle, std::uint32_t level) {
    if (level < kLowestLevel || level > kHighestLevel) return kDsInvalidParam;
    level_ = level;
    return DS_OK;
}

std::uint32_t SdlDirectSound::Release() {
    const std::uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}
