#pragma once

#include <atomic>
#include <vector>

#include "devices/SoundCues.h"
#include "platform/sdl/audio/CueRing.h"
#include "platform/sdl/audio/Sounds.h"

// Plays the game's effects: every sound is made when the mixer is built, at
// the output's rate; the game thread posts cues, the audio callback renders.
// Each kind of cue has one voice: a cue that comes again while its sound is
// still playing starts it afresh, the old one fading out quickly beside it.
// The output passes a limiter that keeps every peak at or below about
// -3 dBFS however many sounds meet.
class Mixer {
public:
    static constexpr float kCeiling = 0.707f;
    // A voice cut short fades over this: long enough to leave no click,
    // short enough to sound like a cut.
    static constexpr float kFadeMs = 4.0f;

    explicit Mixer(int sampleRate);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Game thread. Never waits; allocates nothing.
    void post(SoundCue cue);
    // Any thread. Muted, the output fades out within a few milliseconds and
    // is then exact silence; cues that come meanwhile are dropped.
    void setMuted(bool muted) { muted_.store(muted, std::memory_order_relaxed); }
    bool muted() const { return muted_.load(std::memory_order_relaxed); }

    // Audio thread: `frames` frames of `channels` interleaved samples, the
    // same on every channel. Allocates nothing and never waits.
    void render(float* out, int frames, int channels);

    int sampleRate() const { return sampleRate_; }
    // The longest table: after it has played, a mixer left alone is silent.
    int longestSound() const;

private:
    struct Voice {
        const float* samples = nullptr;
        int length = 0;
        int position = 0;
        float gain = 1.0f;
        float fade = 0.0f;  // subtracted from gain at every sample
        bool playing() const { return samples != nullptr; }
    };
    // One playing voice and one fading voice for each kind of cue.
    struct Channel {
        Voice current;
        Voice fading;
    };

    void start(SoundCue cue);
    void fadeOut(Voice& voice);
    void stopAll();
    // Adds the voice's next `frames` samples into the mix; ends it when done.
    static void mixVoice(Voice& voice, float* mix, int frames);

    int sampleRate_;
    float fadeStep_;
    std::vector<float> sounds_[kSoundCount];
    Channel channels_[kSoundCueCount];
    int marchNote_ = 0;
    CueRing<64> cues_;
    std::atomic<bool> muted_{false};
    float masterGain_ = 1.0f;
    float limiterGain_ = 1.0f;
    float limiterRecovery_;
    static constexpr int kBlock = 256;
    float mix_[kBlock] = {};
};
