#include "platform/sdl/audio/OutputVolume.h"

#include <algorithm>
#include <cmath>

OutputVolume::OutputVolume(int sampleRate) {
    const float rate = static_cast<float>(sampleRate > 0 ? sampleRate : 48000);
    shortestRamp_ = std::max(1, static_cast<int>(std::lround(kRampMs * rate / 1000.0f)));
}

void OutputVolume::setLevel(int level) {
    level_.store(std::clamp(level, 0, kMaxLevel), std::memory_order_relaxed);
}

float OutputVolume::gainOf(int level) {
    const float share = static_cast<float>(std::clamp(level, 0, kMaxLevel)) / kMaxLevel;
    return share * share;
}

void OutputVolume::apply(float* samples, int frames, int channels) {
    const float target = gainOf(level());
    if (target != rampTarget_) {
        // A new level: the whole way from where the gain stands now.
        rampTarget_ = target;
        rampLeft_ = std::max(frames, shortestRamp_);
        rampStep_ = (target - gain_) / static_cast<float>(rampLeft_);
    }
    if (rampLeft_ == 0) {
        if (gain_ == 1.0f) return;
        for (long i = 0, n = static_cast<long>(frames) * channels; i < n; ++i) samples[i] *= gain_;
        return;
    }
    for (int i = 0; i < frames; ++i) {
        // The ramp's last frame lands on the target exactly, so that level 0
        // is exact silence and the full level leaves the mix untouched.
        if (rampLeft_ > 0) gain_ = --rampLeft_ == 0 ? rampTarget_ : gain_ + rampStep_;
        for (int c = 0; c < channels; ++c) *samples++ *= gain_;
    }
}
