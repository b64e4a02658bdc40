#pragma once

#include <atomic>

// The player's volume, applied to the mixed output. A level of 0 (silence)
// to kMaxLevel (the mix as made) maps onto the square of its share, which
// follows the ear better than a straight line (level 5 is about -12 dB).
// A change glides to its new gain along a straight line over the buffer
// being rendered, or over kRampMs where the buffer is shorter: it is heard
// within one buffer and never as a click.
class OutputVolume {
public:
    static constexpr int kMaxLevel = 10;
    static constexpr float kRampMs = 4.0f;

    explicit OutputVolume(int sampleRate);

    // Any thread; clamped into 0..kMaxLevel.
    void setLevel(int level);
    int level() const { return level_.load(std::memory_order_relaxed); }
    static float gainOf(int level);

    // Audio thread: scales `samples` samples in place. Allocates nothing and
    // never waits.
    void apply(float* samples, int frames, int channels);

private:
    std::atomic<int> level_{kMaxLevel};
    float gain_ = 1.0f;
    float rampTarget_ = 1.0f;
    float rampStep_ = 0.0f;
    int rampLeft_ = 0;
    int shortestRamp_ = 1;
};
