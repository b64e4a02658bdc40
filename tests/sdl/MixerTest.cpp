// The mixer as the audio callback drives it, and the sounds it plays.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/sdl/audio/Mixer.h"
#include "platform/sdl/audio/Sounds.h"

namespace {

constexpr int kRate = 48000;
constexpr int kFrames = 512;

struct Buffer {
    std::vector<float> samples;
    float peak() const {
        float p = 0.0f;
        for (float s : samples) p = std::max(p, std::fabs(s));
        return p;
    }
    bool silent() const {
        return std::all_of(samples.begin(), samples.end(), [](float s) { return s == 0.0f; });
    }
};

Buffer render(Mixer& mixer, int channels = 2) {
    Buffer b;
    b.samples.assign(static_cast<std::size_t>(kFrames) * channels, 1.0f);
    mixer.render(b.samples.data(), kFrames, channels);
    return b;
}

void postEveryCue(Mixer& mixer) {
    for (int c = 0; c < kSoundCueCount; ++c) {
        if (static_cast<SoundCue>(c) != SoundCue::Pause) mixer.post(static_cast<SoundCue>(c));
    }
}

TEST(Mixer, EveryCueAtOnceStaysUnderTheCeilingAndEachSilenceIsExact) {
    // Each sound rises from and falls back to exact silence, with no jump at
    // either end, and none is loud enough to clip on its own.
    for (int id = 0; id < kSoundCount; ++id) {
        SCOPED_TRACE(id);
        const std::vector<float> sound = makeSound(static_cast<SoundId>(id), kRate);
        ASSERT_GT(sound.size(), 1000u);
        EXPECT_EQ(sound.front(), 0.0f);
        EXPECT_EQ(sound.back(), 0.0f);
        EXPECT_LT(std::fabs(sound[1]), 0.01f);
        EXPECT_LT(std::fabs(sound[sound.size() - 2]), 0.01f);
        float peak = 0.0f;
        for (float s : sound) peak = std::max(peak, std::fabs(s));
        EXPECT_GT(peak, 0.03f);
        EXPECT_LE(peak, Mixer::kCeiling);
    }

    Mixer mixer(kRate);
    // Silent before anything is posted, on every channel.
    EXPECT_TRUE(render(mixer, 1).silent());

    // Every cue at once, again and again as the buffers go: never past the
    // ceiling, yet clearly heard, the same on both channels.
    float loudest = 0.0f;
    for (int round = 0; round < 8; ++round) {
        postEveryCue(mixer);
        postEveryCue(mixer);
        const Buffer b = render(mixer);
        loudest = std::max(loudest, b.peak());
        for (int i = 0; i < kFrames; ++i) ASSERT_EQ(b.samples[2 * i], b.samples[2 * i + 1]);
    }
    EXPECT_LE(loudest, Mixer::kCeiling);
    EXPECT_GT(loudest, 0.3f);

    // Left alone, the mix ends in exact zeros once the longest sound is over.
    int buffers = 0;
    while (!render(mixer).silent()) {
        ASSERT_LT(++buffers, mixer.longestSound() / kFrames + 2);
    }
    EXPECT_TRUE(render(mixer).silent());

    // A pause cuts what plays within a buffer; nothing comes back after it.
    mixer.post(SoundCue::ShipLost);
    EXPECT_FALSE(render(mixer).silent());
    mixer.post(SoundCue::Pause);
    const Buffer cut = render(mixer);
    EXPECT_FALSE(cut.silent());  // a fade, not a click
    EXPECT_TRUE(std::all_of(cut.samples.begin() + kFrames, cut.samples.end(),
                            [](float s) { return s == 0.0f; }));
    EXPECT_TRUE(render(mixer).silent());

    // Muted: exact silence within a buffer, whatever is posted; unmuted,
    // nothing stale comes back, and new cues are heard again.
    mixer.post(SoundCue::ShipLost);
    EXPECT_FALSE(render(mixer).silent());
    mixer.setMuted(true);
    render(mixer);
    for (int i = 0; i < 20; ++i) {
        postEveryCue(mixer);
        EXPECT_TRUE(render(mixer).silent()) << i;
    }
    mixer.setMuted(false);
    EXPECT_TRUE(render(mixer).silent());
    mixer.post(SoundCue::Shot);
    EXPECT_FALSE(render(mixer).silent());
}

}  // namespace
