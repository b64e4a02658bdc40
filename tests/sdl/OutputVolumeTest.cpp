// The volume on a steady full-scale input, so that each output sample is the
// gain it met: changes glide (no step a click could come from), land within
// the buffer that follows them (or 4 ms in the browser's short quanta), and
// the ends are exact.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/sdl/audio/OutputVolume.h"

namespace {

constexpr int kRate = 48000;

// The gains met by `frames` frames of two channels; both must agree.
std::vector<float> gains(OutputVolume& volume, int frames) {
    std::vector<float> samples(static_cast<std::size_t>(frames) * 2, 1.0f);
    volume.apply(samples.data(), frames, 2);
    std::vector<float> out;
    for (int i = 0; i < frames; ++i) {
        EXPECT_EQ(samples[2 * i], samples[2 * i + 1]);
        out.push_back(samples[2 * i]);
    }
    return out;
}

// The largest change from one frame to the next, starting from `before`.
float largestStep(float before, const std::vector<float>& gains) {
    float largest = 0.0f;
    for (float g : gains) {
        largest = std::max(largest, std::fabs(g - before));
        before = g;
    }
    return largest;
}

TEST(OutputVolume, ChangesGlideWithinABufferAndTheEndsAreExact) {
    OutputVolume volume(kRate);
    for (float g : gains(volume, 512)) ASSERT_EQ(g, 1.0f);

    // Five levels down on the Linux device's 512-frame buffer: a quarter of
    // the gain by the buffer's last frame, in even steps.
    volume.setLevel(5);
    std::vector<float> down = gains(volume, 512);
    EXPECT_FLOAT_EQ(down.back(), 0.25f);
    EXPECT_LE(largestStep(1.0f, down), 0.75f / 512 * 1.01f);
    for (float g : gains(volume, 512)) ASSERT_EQ(g, 0.25f);

    // In the browser's 128-frame quanta a change takes 4 ms (192 frames),
    // and one that comes half way carries on from where the gain stands.
    volume.setLevel(10);
    std::vector<float> up = gains(volume, 128);
    EXPECT_LT(up.back(), 1.0f);
    EXPECT_LE(largestStep(0.25f, up), 0.75f / 192 * 1.01f);
    volume.setLevel(0);
    std::vector<float> off = gains(volume, 128);
    EXPECT_LE(largestStep(up.back(), off), up.back() / 192 * 1.01f);
    off = gains(volume, 128);
    EXPECT_EQ(off.back(), 0.0f);
    for (float g : gains(volume, 128)) ASSERT_EQ(g, 0.0f);

    // Out of range is the nearest end.
    volume.setLevel(99);
    EXPECT_EQ(volume.level(), OutputVolume::kMaxLevel);
}

}  // namespace
