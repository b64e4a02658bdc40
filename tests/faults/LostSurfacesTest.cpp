// Every surface lost at once (another program took the display), at a random
// frame of each screen. The game gets the memory back where a blit or a flip
// meets the loss and goes on: the same frames at the same times as a run
// without the loss, to the end of the game-over screen. Pictures come back
// as garbage, since nothing reloads them; the game-over picture, loaded when
// its screen begins, shows whole when the loss came before.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "faults/ScriptedGame.h"

namespace {

using faults::Screen;

struct Window {
    Screen screen;
    std::int32_t from;
    std::int32_t to;
};

// Stretches of the script that lie well inside one screen.
const Window kWindows[] = {
    {Screen::Intro, 100, 2900}, {Screen::Title, 3100, 3450},  {Screen::GetReady, 3700, 6400},
    {Screen::Play, 6700, 7900}, {Screen::Paused, 8100, 8900}, {Screen::GameOver, 10100, 14900},
};

struct LostRun {
    HeadlessRun run;
    std::vector<Screen> screens;
    int lostAt = -1;  // index of the frame after which the loss came
};

LostRun playScript(std::int32_t loseAt) {
    LostRun result;
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    HeadlessPlatform* running = nullptr;
    options.onFrame = [&](const CapturedFrame& frame) {
        result.screens.push_back(faults::screenOf(frame));
        if (loseAt >= 0 && result.lostAt < 0 && frame.gameTime >= loseAt) {
            running->display().loseAllSurfaces();
            result.lostAt = frame.index;
        }
    };
    HeadlessPlatform platform(options);
    running = &platform;
    faults::scriptGame(platform, 0);
    result.run = runGame(platform);
    return result;
}

class LostSurfaces : public faults::ScriptTest<Window> {};

TEST_P(LostSurfaces, AtARandomFrameTheGameGoesOnFrameForFrame) {
    const Window window = GetParam();
    const LostRun reference = playScript(-1);
    ASSERT_FALSE(reference.run.budgetExhausted);

    std::mt19937 random(static_cast<unsigned>(window.from));
    for (int draw = 0; draw < 3; ++draw) {
        const std::int32_t at =
            std::uniform_int_distribution<std::int32_t>(window.from, window.to)(random);
        SCOPED_TRACE(at);
        const LostRun lost = playScript(at);
        ASSERT_GE(lost.lostAt, 0);
        EXPECT_EQ(reference.screens[lost.lostAt], window.screen);

        EXPECT_FALSE(lost.run.budgetExhausted);
        EXPECT_EQ(lost.run.exitCode, 0);
        ASSERT_EQ(lost.run.frames.size(), reference.run.frames.size());
        for (std::size_t i = 0; i < lost.run.frames.size(); ++i) {
            ASSERT_EQ(lost.run.frames[i].gameTime, reference.run.frames[i].gameTime) << i;
        }
        // The screens after the loss, as far as their pictures were loaded
        // after it: the game-over screen and, for an earlier loss, the
        // title.
        if (window.screen != Screen::GameOver) {
            EXPECT_EQ(lost.screens.back(), Screen::GameOver);
            int gameOver = 0;
            for (Screen s : lost.screens) gameOver += s == Screen::GameOver;
            EXPECT_EQ(gameOver, 313);
        }
        if (window.screen == Screen::Intro) {
            bool title = false;
            for (std::size_t i = lost.lostAt + 1; i < lost.screens.size(); ++i) {
                title = title || lost.screens[i] == Screen::Title;
            }
            EXPECT_TRUE(title);
        }
    }
}

std::string screenName(const ::testing::TestParamInfo<Window>& info) {
    return faults::nameOf(info.param.screen);
}

INSTANTIATE_TEST_SUITE_P(EachScreen, LostSurfaces, ::testing::ValuesIn(kWindows), screenName);

}  // namespace
