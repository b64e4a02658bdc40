// A game played after another in the same run (the Linux and browser
// programs' screen between games asks for it) is exactly a fresh game.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "app/BetweenGames.h"
#include "base/ShellPlatform.h"
#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TestPictures.h"

namespace {

std::function<bool(const FinishedGame&)> askNext;
bool askNextHook(const FinishedGame& finished) { return askNext(finished); }

std::uint64_t hashOf(const CapturedFrame& frame) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint16_t pixel : *frame.pixels) hash = (hash ^ pixel) * 1099511628211ull;
    return hash;
}

class NextGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pictures.ok());
        setPlayAnotherGame(askNextHook);
    }
    void TearDown() override {
        setPlayAnotherGame(nullptr);
        askNext = nullptr;
    }
    ScopedTestPictures pictures;
};

// The second game is played on the same clock and keys as the first: the
// hook winds game time back to where the first game's first wave started, so
// the fleet's random numbers start from the same tick. Every frame from the
// second get-ready to the end of its game-over screen must then equal the
// first game's: score, ships, ship's place, fleet, bunkers, bullets, pause
// and timers all fresh.
TEST_F(NextGameTest, TheSecondGameShowsTheFirstGamesFramesFromItsGetReady) {
    std::vector<std::uint64_t> hashes;
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    options.onFrame = [&](const CapturedFrame& frame) { hashes.push_back(hashOf(frame)); };
    HeadlessPlatform platform(options);
    platform.press(DIK_SPACE, 3008, 3108);  // leaves the title
    // Into play: a walk right with shots on the way, then shots from there,
    // until Escape ends the game.
    platform.press(DIK_RIGHT, 6100, 6900);
    for (std::int32_t t = 6200; t < 10500; t += 300) platform.press(DIK_SPACE, t, t + 40);
    platform.press(DIK_ESCAPE, 10500);

    std::vector<std::size_t> asked;  // frames shown before each ask
    std::vector<std::int32_t> scores;
    askNext = [&](const FinishedGame& finished) {
        asked.push_back(hashes.size());
        scores.push_back(finished.score);
        EXPECT_TRUE(finished.played);
        EXPECT_NE(finished.display, nullptr);
        EXPECT_NE(finished.input, nullptr);
        if (asked.size() > 1) return false;
        const HeadlessLog& log = platform.log();
        platform.shell().setGameTime(log[log.find(HeadlessEvent::PeekMessage)].gameTime);
        return true;
    };
    HeadlessRun run = runGame(platform);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.budgetExhausted);
    ASSERT_EQ(asked.size(), 2u);
    ASSERT_EQ(scores.size(), 2u);
    EXPECT_GT(scores[0], 0);  // the script hits invaders: a score to carry over, if it did
    EXPECT_EQ(scores[1], scores[0]);

    // The first game's frames from its get-ready: the intro and title come
    // before the first log's pass and never again.
    const HeadlessLog& log = platform.log();
    const std::size_t firstPlayFrame = static_cast<std::size_t>(
        log[log.find(HeadlessEvent::Present, log.find(HeadlessEvent::PeekMessage))].value);
    const std::size_t length = asked[0] - firstPlayFrame;
    ASSERT_EQ(asked[1] - asked[0], length);
    for (std::size_t i = 0; i < length; ++i) {
        ASSERT_EQ(hashes[asked[0] + i], hashes[firstPlayFrame + i]) << "frame " << i;
    }
}

// Escape on the title quits the game at its first update: the game-over
// screen has its full time, and the platform hears of a game never played,
// whose results it does not show.
TEST_F(NextGameTest, AGameEndedOnTheTitleIsAskedAboutAsNeverPlayed) {
    std::vector<FinishedGame> asked;
    askNext = [&](const FinishedGame& finished) {
        asked.push_back(finished);
        return false;
    };
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    HeadlessPlatform platform(options);
    platform.press(DIK_ESCAPE, 3108, 3208);
    const HeadlessRun run = runGame(platform);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.budgetExhausted);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_FALSE(asked[0].played);
    EXPECT_EQ(asked[0].score, 0);
    ASSERT_FALSE(run.frames.empty());
    EXPECT_GE(run.frames.back().gameTime, 3108 + 5000);
}

// A game that WM_QUIT ended (the window closed) never asks for another.
TEST_F(NextGameTest, AGameEndedByTheQuitMessageAsksForNoOther) {
    int asks = 0;
    askNext = [&](const FinishedGame&) { return ++asks > 0; };
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    HeadlessPlatform platform(options);
    platform.press(DIK_SPACE, 3008, 3108);
    platform.postMessage(WM_QUIT, 0, 7000);
    EXPECT_EQ(runGame(platform).exitCode, 0);
    EXPECT_EQ(asks, 0);
}

}  // namespace
