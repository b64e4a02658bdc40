#include "platform/sdl/audio/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Smooths the square's two jumps over one sample each side, which takes away
// most of the aliasing whine of a naive square at high pitches.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// A 15-bit shift register, as the noise channels of old sound chips: a
// coarse, crunchy hiss whose colour follows its rate.
std::uint16_t nextNoise(std::uint16_t noise) {
    const std::uint16_t bit = static_cast<std::uint16_t>((noise ^ (noise >> 1)) & 1u);
    return static_cast<std::uint16_t>((noise >> 1) | (bit << 14));
}

double noiseLevel(std::uint16_t noise) { return (noise & 1u) ? 1.0 : -1.0; }

// An S-shaped ramp from 0 to 1: no corner where the envelope starts or ends.
double smoothRamp(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(kPi * x);
}

double envelope(const Tone& tone, double ms) {
    const double releaseStart = tone.lengthMs - tone.releaseMs;
    double level;
    if (ms < tone.attackMs) {
        level = smoothRamp(ms / tone.attackMs);
    } else if (tone.decayMs > 0.0f && ms < tone.attackMs + tone.decayMs) {
        const double x = (ms - tone.attackMs) / tone.decayMs;
        level = 1.0 + (tone.sustain - 1.0) * x;
    } else {
        level = tone.sustain;
    }
    if (ms >= releaseStart && tone.releaseMs > 0.0f) {
        level *= 1.0 - smoothRamp((ms - releaseStart) / tone.releaseMs);
    }
    return level;
}

void addTone(const Tone& tone, int sampleRate, std::vector<double>& mix) {
    const double samplesPerMs = sampleRate / 1000.0;
    const auto first = static_cast<std::size_t>(tone.startMs * samplesPerMs);
    const auto count = static_cast<std::size_t>(tone.lengthMs * samplesPerMs);
    const double ratio = static_cast<double>(tone.toHz) / tone.fromHz;
    // The DC that an uneven square carries would thump as the envelope moves.
    const double squareOffset = 2.0 * tone.duty - 1.0;
    double phase = 0.0;
    std::uint16_t noise = 0x4A5Bu;
    double noiseValue = 1.0;
    double lastNoiseValue = 1.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double progress = static_cast<double>(i) / static_cast<double>(count);
        const double hz = tone.fromHz * std::pow(ratio, progress);
        const double dt = hz / sampleRate;
        double value = 0.0;
        switch (tone.wave) {
            case Wave::Square: {
                value = phase < tone.duty ? 1.0 : -1.0;
                value += polyBlep(phase, dt);
                double fall = phase + 1.0 - tone.duty;
                if (fall >= 1.0) fall -= 1.0;
                value -= polyBlep(fall, dt);
                value -= squareOffset;
                break;
            }
            case Wave::Triangle:
                value = 4.0 * std::fabs(phase - 0.5) - 1.0;
                break;
            case Wave::Noise: {
                // Each step is smoothed as the square's edges are: the hiss
                // keeps its grain without the peaks between samples that a
                // bare jump leaves, which would pass the mixer's ceiling on
                // the way to the speaker.
                value = noiseValue;
                const double jump = phase < dt ? noiseValue - lastNoiseValue
                                               : noiseLevel(nextNoise(noise)) - noiseValue;
                value += 0.5 * jump * polyBlep(phase, dt);
                break;
            }
        }
        phase += dt;
        while (phase >= 1.0) {
            phase -= 1.0;
            noise = nextNoise(noise);
            lastNoiseValue = noiseValue;
            noiseValue = noiseLevel(noise);
        }
        const double ms = 1000.0 * static_cast<double>(i) / sampleRate;
        if (first + i < mix.size()) mix[first + i] += tone.level * envelope(tone, ms) * value;
    }
}

}  // namespace

std::vector<float> synthesise(const SoundRecipe& recipe, int sampleRate) {
    double endMs = 0.0;
    for (int t = 0; t < recipe.toneCount; ++t) {
        endMs = std::max(endMs, static_cast<double>(recipe.tones[t].startMs) +
                                    static_cast<double>(recipe.tones[t].lengthMs));
    }
    // One sample of silence past the last tone: a table always ends at zero.
    const auto length = static_cast<std::size_t>(endMs * sampleRate / 1000.0) + 2;
    std::vector<double> mix(length, 0.0);
    for (int t = 0; t < recipe.toneCount; ++t) addTone(recipe.tones[t], sampleRate, mix);

    double loudest = 0.0;
    for (double v : mix) loudest = std::max(loudest, std::fabs(v));
    const double scale = loudest > 0.0 ? recipe.peak / loudest : 0.0;
    std::vector<float> samples(length, 0.0f);
    for (std::size_t i = 0; i < length; ++i) {
        samples[i] = static_cast<float>(mix[i] * scale);
        // Rounding must not lift the result past the peak asked for.
        samples[i] = std::clamp(samples[i], -recipe.peak, recipe.peak);
    }
    samples.front() = 0.0f;
    samples.back() = 0.0f;
    return samples;
}
