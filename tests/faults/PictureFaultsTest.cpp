// Picture files missing, cut short or with a broken header. A picture that
// cannot be read leaves its frames blank: the game plays on, frame for frame
// as with every picture in place, and where that picture would be the
// screen shows what lies beneath it instead.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "faults/ScriptedGame.h"

namespace {

using faults::Screen;

// Where and when the script shows each picture: a point inside it, at a
// time inside its screen. Bullets are looked for over a stretch instead.
struct Sample {
    const char* file;
    std::int32_t from;
    std::int32_t to;  // from == to: one frame
    int x;
    int y;
};

// The invaders' shots are all the bottom rows' while those stand: the other
// two kinds of shot are not seen in this script, and only their loading is
// tried.
const Sample kSamples[] = {
    {"bird.bmp", 1000, 1000, 200, 150},     {"ostrelwyn.bmp", 1000, 1000, 200, 260},
    {"presents.bmp", 2500, 2500, 250, 355}, {"title.bmp", 3200, 3200, 100, 190},
    {"space.bmp", 3200, 3200, 250, 280},    {"background.bmp", 6800, 6800, 20, 590},
    {"getready.bmp", 4000, 4000, 150, 320}, {"paused.bmp", 8500, 8500, 200, 295},
    {"nanite.bmp", 6800, 6800, 206, 558},   {"numbers.bmp", 6800, 6800, 673 + 7, 96},
    {"drippy.bmp", 4000, 4000, 128, 151},   {"pukey.bmp", 4000, 4000, 128, 183},
    {"poopy.bmp", 4000, 4000, 128, 247},    {"pbullet.bmp", 7600, 8000, -1, -1},
    {"poopbullet.bmp", 6520, 9900, -1, -1}, {"pukebullet.bmp", 0, 0, -1, -1},
    {"dripbullet.bmp", 0, 0, -1, -1},       {"gameover.bmp", 12000, 12000, 40, 40},
};

enum class Damage { Truncated, BrokenHeader };

// What one run showed of the sampled picture: whether it appeared, and the
// times of every frame.
struct Seen {
    HeadlessRun run;
    bool pictureShown = false;
    std::vector<std::int32_t> times;
};

bool inStretch(const Sample& s, std::int32_t t) {
    return s.from == s.to ? t >= s.from && t < s.from + 16 : t >= s.from && t <= s.to;
}

// Anywhere in the play field.
bool fieldShows(const CapturedFrame& frame, std::uint16_t raw) {
    for (int y = 0; y < CapturedFrame::kHeight; ++y) {
        for (int x = 0; x < 520; ++x) {
            if (frame.raw(x, y) == raw) return true;
        }
    }
    return false;
}

Seen playScript(const Sample& sample) {
    Seen seen;
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    const std::uint32_t colour = testPictureColour(sample.file);
    options.onFrame = [&](const CapturedFrame& frame) {
        seen.times.push_back(frame.gameTime);
        if (seen.pictureShown || !inStretch(sample, frame.gameTime)) return;
        const std::uint16_t raw = frame.rawOf(colour);
        seen.pictureShown =
            sample.x >= 0 ? frame.raw(sample.x, sample.y) == raw : fieldShows(frame, raw);
    };
    HeadlessPlatform platform(options);
    faults::scriptGame(platform, 0);
    seen.run = runGame(platform);
    return seen;
}

bool damage(const std::string& path, Damage how) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::vector<unsigned char> bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(file);
    if (bytes.size() < 64) return false;
    if (how == Damage::Truncated) {
        bytes.resize(bytes.size() / 2);
    } else {
        // 13 bits per pixel: no such picture.
        bytes[28] = 13;
        bytes[29] = 0;
    }
    file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

class DamagedPicture : public faults::ScriptTest<std::tuple<Sample, Damage>> {};

TEST_P(DamagedPicture, IsBlankWhileTheGamePlaysOnFrameForFrame) {
    const Sample sample = std::get<0>(GetParam());
    const Seen whole = playScript(sample);
    ASSERT_FALSE(whole.run.budgetExhausted);
    const bool inScript = sample.to > 0;
    if (inScript) {
        ASSERT_TRUE(whole.pictureShown) << "the script does not show " << sample.file;
    }

    ASSERT_TRUE(damage(pictures.directory() + "/" + sample.file, std::get<1>(GetParam())));
    const Seen damaged = playScript(sample);
    EXPECT_FALSE(damaged.run.budgetExhausted);
    EXPECT_EQ(damaged.run.exitCode, 0);
    EXPECT_FALSE(damaged.pictureShown);
    EXPECT_EQ(damaged.times, whole.times);
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, DamagedPicture,
    ::testing::Combine(::testing::ValuesIn(kSamples),
                       ::testing::Values(Damage::Truncated, Damage::BrokenHeader)),
    [](const ::testing::TestParamInfo<std::tuple<Sample, Damage>>& info) {
        std::string name = std::get<0>(info.param).file;
        name = name.substr(0, name.find('.'));
        return name + (std::get<1>(info.param) == Damage::Truncated ? "Truncated" : "BrokenHeader");
    });

// With no picture at all the game plays its whole script blank: only the
// bunkers, which are filled rather than drawn from a picture, are seen.
std::vector<std::int32_t> timesOf(const HeadlessRun& run) {
    std::vector<std::int32_t> times;
    for (const CapturedFrame& frame : run.frames) times.push_back(frame.gameTime);
    return times;
}

TEST(MissingPictures, AllOfThemLeaveOnlyTheBunkersToSee) {
    ScopedTestPictures pictures;
    ASSERT_TRUE(pictures.ok());
    std::vector<std::int32_t> times;
    {
        HeadlessOptions options;
        options.keepPixels = [](const CapturedFrame&) { return false; };
        HeadlessPlatform platform(options);
        faults::scriptGame(platform, 0);
        times = timesOf(runGame(platform));
    }
    for (const TestPicture& p : testPictures()) {
        ASSERT_EQ(std::remove((pictures.directory() + "/" + p.file).c_str()), 0);
    }
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    int litFrames = 0;
    int bunkerFrames = 0;
    options.onFrame = [&](const CapturedFrame& frame) {
        const int lit = frame.litPixels(0, 0, CapturedFrame::kWidth, CapturedFrame::kHeight);
        const int bunkers = frame.litPixels(117, 450, 307, 45);
        if (lit > 0) ++litFrames;
        if (bunkers > 0) ++bunkerFrames;
        EXPECT_EQ(lit, bunkers) << "at " << frame.gameTime;
    };
    HeadlessPlatform platform(options);
    faults::scriptGame(platform, 0);
    HeadlessRun run = runGame(platform);

    EXPECT_FALSE(run.budgetExhausted);
    EXPECT_EQ(run.exitCode, 0);
    // Intro, title, get-ready, play with the pause, game over: as long as
    // with the pictures.
    EXPECT_EQ(times, timesOf(run));
    EXPECT_EQ(litFrames, bunkerFrames);
    EXPECT_GT(bunkerFrames, 200);
}

}  // namespace
