#include "platform/sdl/audio/SdlSoundOutput.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "platform/sdl/audio/QuietAlsa.h"

void SdlSoundOutput::enable() {
    enabled_ = true;
    installSoundCues(this);
}

void SdlSoundOutput::disable() {
    enabled_ = false;
    installSoundCues(nullptr);
}

void SdlSoundOutput::setMuted(bool muted) {
    muted_ = muted;
    if (mixer_) mixer_->setMuted(muted);
}

void SdlSoundOutput::toggleMuted() {
    setMuted(!muted_);
    if (choices_) choices_->muteSwitched(muted_);
}

void SdlSoundOutput::cue(SoundCue cue) {
    if (enabled_ && mixer_) mixer_->post(cue);
}

void SDLCALL SdlSoundOutput::play(void* self, Uint8* stream, int length) {
    auto* output = static_cast<SdlSoundOutput*>(self);
    Mixer* mixer = output->mixer_.get();
    const int frameBytes = output->channels_ * static_cast<int>(sizeof(float));
    if (!mixer || frameBytes <= 0) {
        std::memset(stream, 0, static_cast<std::size_t>(length));
        return;
    }
    // The device is opened as 32-bit float, which SDL converts for the
    // hardware where it must.
    mixer->render(reinterpret_cast<float*>(stream), length / frameBytes, output->channels_);
}

void SdlSoundOutput::reportNoDevice() const {
    // The one line a player sees about it; SDL says why.
    if (enabled_)
        std::fprintf(stderr, "zorbanix: no sound device (%s): playing silently\n", SDL_GetError());
}

SDL_AudioDeviceID SdlSoundOutput::openDevice() {
    QuietAlsa quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportNoDevice();
        return 0;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_F32SYS;
    // One channel: the effects have no place in a stereo field, and the
    // browser then copies half as much out of the program at every buffer.
    wanted.channels = 1;
    wanted.samples = kBufferFrames;
    wanted.callback = play;
    wanted.userdata = this;
    SDL_AudioSpec given{};
    // The device's own rate and channel count are taken as they come: the
    // sounds are made for the rate, and every channel gets the same mix.
    const SDL_AudioDeviceID device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &given,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (device == 0) {
        reportNoDevice();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    // Only the first device of an enabled output plays the mixer, from now
    // on; any other stays paused, as SDL opens it, and plays silence.
    if (enabled_ && device_ == 0) {
        mixer_.reset(new (std::nothrow) Mixer(given.freq));
        if (mixer_) {
            device_ = device;
            channels_ = given.channels;
            mixer_->setMuted(muted_);
            SDL_PauseAudioDevice(device, 0);
        }
    }
    return device;
}

void SdlSoundOutput::closeDevice(SDL_AudioDeviceID device) {
    if (device == 0) return;
    // Closing waits for a callback under way, so the mixer can go after it.
    SDL_CloseAudioDevice(device);
    if (device == device_) {
        device_ = 0;
        channels_ = 0;
        mixer_.reset();
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SdlSoundOutput& sdlSoundOutput() {
    static SdlSoundOutput output;
    return output;
}
