#include "platform/sdl/audio/SdlSoundOutput.h"

#include <algorithm>
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

void SdlSoundOutput::setVolume(int level) {
    volume_ = std::clamp(level, 0, OutputVolume::kMaxLevel);
    if (outputVolume_) outputVolume_->setLevel(volume_);
}

void SdlSoundOutput::takeRequests(const SdlWindowRequests& asked) {
    if (((asked.muteToggles - done_.muteToggles) & 1u) != 0) {
        setMuted(!muted_);
        if (choices_) choices_->muteSwitched(muted_);
    }
    // The steps down are taken first: the order of keys within one taking
    // of the events is not kept, and matters only at either end.
    const int before = volume_;
    const auto downs = static_cast<int>(asked.volumeDowns - done_.volumeDowns);
    const auto ups = static_cast<int>(asked.volumeUps - done_.volumeUps);
    if (downs != 0) setVolume(volume_ - downs);
    if (ups != 0) setVolume(volume_ + ups);
    if (volume_ != before && choices_) choices_->volumeChanged(volume_);
    done_ = asked;
}

#ifdef __EMSCRIPTEN__

// The page's sound (web/sound.js), which plays the same sounds by the same
// mixer's rules with the browser's own nodes, off the page's main thread;
// SDL's own audio would mix on it.
extern "C" int zorbanix_web_sound_open();
extern "C" void zorbanix_web_sound_cue(int cue);

void SdlSoundOutput::cue(SoundCue cue) {
    if (enabled_ && device_ != 0) zorbanix_web_sound_cue(static_cast<int>(cue));
}

// The device stands for the page's sound: the page keeps the mute switch
// and the volume itself, across runs.
SDL_AudioDeviceID SdlSoundOutput::openDevice() {
    if (!zorbanix_web_sound_open()) return 0;
    constexpr SDL_AudioDeviceID kPageSound = 1;
    if (enabled_ && device_ == 0) device_ = kPageSound;
    return kPageSound;
}

void SdlSoundOutput::closeDevice(SDL_AudioDeviceID device) {
    if (device != 0 && device == device_) device_ = 0;
}

#else

void SdlSoundOutput::cue(SoundCue cue) {
    if (enabled_ && mixer_) mixer_->post(cue);
}

void SDLCALL SdlSoundOutput::play(void* self, Uint8* stream, int length) {
    auto* output = static_cast<SdlSoundOutput*>(self);
    Mixer* mixer = output->mixer_.get();
    OutputVolume* volume = output->outputVolume_.get();
    const int frameBytes = output->channels_ * static_cast<int>(sizeof(float));
    if (!mixer || !volume || frameBytes <= 0) {
        std::memset(stream, 0, static_cast<std::size_t>(length));
        return;
    }
    // The device is opened as 32-bit float, which SDL converts for the
    // hardware where it must.
    auto* samples = reinterpret_cast<float*>(stream);
    const int frames = length / frameBytes;
    mixer->render(samples, frames, output->channels_);
    volume->apply(samples, frames, output->channels_);
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
        outputVolume_.reset(new (std::nothrow) OutputVolume(given.freq));
        if (mixer_ && outputVolume_) {
            outputVolume_->setLevel(volume_);
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
        outputVolume_.reset();
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

#endif
