#include "platform/sdl/audio/Mixer.h"

#include <algorithm>
#include <cmath>

namespace {

// How fast the limiter lets go again after a peak: about 50 ms to recover.
constexpr float kLimiterReleaseMs = 50.0f;

}  // namespace

Mixer::Mixer(int sampleRate)
    : sampleRate_(sampleRate > 0 ? sampleRate : 48000),
      fadeStep_(1000.0f / (kFadeMs * static_cast<float>(sampleRate_))),
      limiterRecovery_(1.0f -
                       std::exp(-1000.0f / (kLimiterReleaseMs * static_cast<float>(sampleRate_)))) {
    for (int id = 0; id < kSoundCount; ++id) {
        sounds_[id] = makeSound(static_cast<SoundId>(id), sampleRate_);
    }
}

int Mixer::longestSound() const {
    std::size_t longest = 0;
    for (const auto& sound : sounds_) longest = std::max(longest, sound.size());
    return static_cast<int>(longest);
}

void Mixer::post(SoundCue cue) { cues_.push(static_cast<std::uint8_t>(cue)); }

void Mixer::fadeOut(Voice& voice) {
    if (voice.playing() && voice.fade == 0.0f) voice.fade = fadeStep_ * voice.gain;
}

void Mixer::stopAll() {
    for (Channel& channel : channels_) {
        channel.current = Voice();
        channel.fading = Voice();
    }
}

void Mixer::start(SoundCue cue) {
    const auto kind = static_cast<int>(cue);
    if (kind < 0 || kind >= kSoundCueCount) return;
    if (cue == SoundCue::Pause) {
        for (Channel& channel : channels_) {
            fadeOut(channel.current);
            fadeOut(channel.fading);
        }
        return;
    }
    Channel& channel = channels_[kind];
    if (channel.current.playing()) {
        // A fading voice still left is a few milliseconds from its end.
        channel.fading = channel.current;
        fadeOut(channel.fading);
    }
    int id = static_cast<int>(soundOf(cue));
    if (cue == SoundCue::MarchStep) {
        id += marchNote_;
        marchNote_ = (marchNote_ + 1) % kMarchNotes;
    }
    channel.current = Voice();
    channel.current.samples = sounds_[id].data();
    channel.current.length = static_cast<int>(sounds_[id].size());
}

void Mixer::mixVoice(Voice& voice, float* mix, int frames) {
    const int count = std::min(frames, voice.length - voice.position);
    const float* source = voice.samples + voice.position;
    if (voice.fade == 0.0f) {
        for (int i = 0; i < count; ++i) mix[i] += source[i];
    } else {
        for (int i = 0; i < count; ++i) {
            voice.gain = std::max(voice.gain - voice.fade, 0.0f);
            mix[i] += source[i] * voice.gain;
        }
    }
    voice.position += count;
    if (voice.position >= voice.length || voice.gain == 0.0f) voice = Voice();
}

void Mixer::render(float* out, int frames, int channels) {
    const bool muted = muted_.load(std::memory_order_relaxed);
    std::uint8_t cue = 0;
    while (cues_.pop(cue)) {
        // Muted, cues are dropped: unmuting never brings back a stale sound.
        if (!muted) start(static_cast<SoundCue>(cue));
    }
    if (muted && masterGain_ == 0.0f) {
        stopAll();
        std::fill(out, out + static_cast<long>(frames) * channels, 0.0f);
        return;
    }
    const float masterStep = muted ? -fadeStep_ : fadeStep_;
    while (frames > 0) {
        const int block = std::min(frames, kBlock);
        std::fill(mix_, mix_ + block, 0.0f);
        for (Channel& channel : channels_) {
            if (channel.current.playing()) mixVoice(channel.current, mix_, block);
            if (channel.fading.playing()) mixVoice(channel.fading, mix_, block);
        }
        for (int i = 0; i < block; ++i) {
            masterGain_ = std::clamp(masterGain_ + masterStep, 0.0f, 1.0f);
            float sample = mix_[i] * masterGain_ * limiterGain_;
            // Never past the ceiling: the gain drops at once to what this
            // sample allows and recovers slowly.
            if (std::fabs(sample) > kCeiling) {
                limiterGain_ *= kCeiling / std::fabs(sample);
                sample = std::copysign(kCeiling, sample);
            }
            limiterGain_ += (1.0f - limiterGain_) * limiterRecovery_;
            for (int c = 0; c < channels; ++c) *out++ = sample;
        }
        frames -= block;
    }
}
