#pragma once

#include <SDL.h>

#include <memory>

#include "devices/SoundCues.h"
#include "platform/sdl/audio/Mixer.h"
#include "platform/sdl/audio/OutputVolume.h"
#include "platform/sdl/shell/PlayerChoices.h"
#include "platform/sdl/shell/SdlEventState.h"

// The program's SDL audio device and what it plays. The DirectSound
// object opens and closes the device; a program that wants to be heard
// enables the output first, and the device then plays the mixer, fed by the
// game's cues. Not enabled (the tests of the device alone), the device is
// opened paused and plays nothing. In the browser no SDL device is opened:
// the device stands for the page's sound (web/sound.js), which plays the
// same sounds by the mixer's rules with the browser's own nodes and keeps
// the mute switch and the volume; the output hands it the cues.
class SdlSoundOutput final : public SoundCues {
public:
    static constexpr int kRate = 48000;
    // At 48 kHz about 10.7 ms from a cue to its first sample at the most.
    static constexpr int kBufferFrames = 512;

    SdlSoundOutput() = default;
    SdlSoundOutput(const SdlSoundOutput&) = delete;
    SdlSoundOutput& operator=(const SdlSoundOutput&) = delete;

    // Before the devices are made: installs the cue sink. Muted or not is
    // set apart, before or after.
    void enable();
    // Takes the cue sink away again; a device still open falls silent.
    void disable();
    bool enabled() const { return enabled_; }

    void setMuted(bool muted);
    bool muted() const { return muted_; }
    void tellChoices(PlayerChoices* choices) { choices_ = choices; }

    // The volume, 0 to OutputVolume::kMaxLevel; mute stands apart from it.
    void setVolume(int level);
    int volume() const { return volume_; }

    // Carries out the player's mute and volume keys counted since the last
    // call, every press once (two mutes leave the sound as it was), and
    // tells whoever keeps the player's choices of what changed.
    void takeRequests(const SdlWindowRequests& asked);

    // Brings up SDL's audio, keeping ALSA's own chatter off the terminal,
    // and opens the device: 0 when there is none, which an enabled output
    // reports in one line on stderr.
    SDL_AudioDeviceID openDevice();
    // Closes a device openDevice gave and takes SDL's audio down again.
    void closeDevice(SDL_AudioDeviceID device);

    void cue(SoundCue cue) override;

    // The mixer of the open device, if it plays one.
    Mixer* mixer() const { return mixer_.get(); }

private:
    static void SDLCALL play(void* self, Uint8* stream, int length);
    void reportNoDevice() const;

    bool enabled_ = false;
    bool muted_ = false;
    PlayerChoices* choices_ = nullptr;
    // The requests carried out so far.
    SdlWindowRequests done_;
    int volume_ = OutputVolume::kMaxLevel;
    SDL_AudioDeviceID device_ = 0;
    int channels_ = 0;
    std::unique_ptr<Mixer> mixer_;
    std::unique_ptr<OutputVolume> outputVolume_;
};
