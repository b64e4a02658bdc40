// The quit message arriving in each state of the game (while paused is
// covered with the run loop). Only the frame loop of the waves pumps
// messages: a quit that comes during the intro or the title waits for it and
// ends the game before the first update, one that comes during play ends it
// at the next pass; either way the game-over screen runs its full 5000 ms and
// the exit code is the message's. The game-over screen pumps nothing, so a
// quit arriving there is never retrieved: the screen runs out and the exit
// code is 0, as for any game that ended from inside.

#include <gtest/gtest.h>

#include "faults/ScriptedGame.h"

namespace {

using faults::Screen;

struct QuitCase {
    Screen during;
    std::int32_t at;
    int exitCode;
};

class QuitMessage : public faults::ScriptTest<QuitCase> {};

TEST_P(QuitMessage, EndsThroughTheWholeGameOverScreenWithTheRightCode) {
    const QuitCase c = GetParam();
    const faults::LoggedRun played = faults::playScriptWithMessage(WM_QUIT, 7, c.at);
    const std::vector<Screen>& screens = played.log.screens;
    const std::vector<std::int32_t>& times = played.log.times;

    ASSERT_FALSE(played.run.budgetExhausted);
    EXPECT_EQ(played.run.exitCode, c.exitCode);
    // The state the message arrived in.
    std::size_t arrival = 0;
    while (arrival < times.size() && times[arrival] < c.at) ++arrival;
    ASSERT_LT(arrival, screens.size());
    EXPECT_EQ(screens[arrival > 0 ? arrival - 1 : 0], c.during);

    // Game over follows the screen it arrived in, or for the intro the
    // title that was still to come, and nothing of play comes after it.
    std::size_t gameOver = 0;
    while (gameOver < screens.size() && screens[gameOver] != Screen::GameOver) ++gameOver;
    ASSERT_LT(gameOver, screens.size());
    EXPECT_EQ(screens.size() - gameOver, 313u);
    for (std::size_t i = gameOver; i < screens.size(); ++i) {
        EXPECT_EQ(screens[i], Screen::GameOver) << i;
    }
    if (c.during == Screen::Intro || c.during == Screen::Title) {
        // Not one frame of the waves.
        EXPECT_EQ(screens[gameOver - 1], Screen::Title);
        EXPECT_EQ(played.messagePeeks, 1u);
    } else if (c.during != Screen::GameOver) {
        // The quit was taken at the first pass after it arrived.
        EXPECT_LE(times[gameOver] - c.at, 32);
    } else {
        EXPECT_EQ(times[gameOver], faults::kEscape + 16);
    }
}

std::string stateName(const ::testing::TestParamInfo<QuitCase>& info) {
    return faults::nameOf(info.param.during);
}

INSTANTIATE_TEST_SUITE_P(EachState, QuitMessage,
                         ::testing::Values(QuitCase{Screen::Intro, 1000, 7},
                                           QuitCase{Screen::Title, 3200, 7},
                                           QuitCase{Screen::GetReady, 4500, 7},
                                           QuitCase{Screen::Play, 7100, 7},
                                           QuitCase{Screen::GameOver, 12000, 0}),
                         stateName);

}  // namespace
