// Whole runs of the program on the headless platform, checking the shape of
// the run loop: what each pass of the frame loop does with the message queue
// and the game, and how the game ends.

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "base/ShellPlatform.h"
#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TestPictures.h"

namespace {

// With 16 ms frames the intro ends at its first check past 3000 ms (3008);
// Space held from there leaves the title after one frame (3024), and the
// first wave's get-ready pause lasts until 6024: its last frame is the one
// shown at 6032, after the update at 6016.
constexpr std::int32_t kTitleTime = 3008;
constexpr std::int32_t kLastGetReadyFrame = 6032;
constexpr std::int32_t kPlayTime = 6100;

constexpr int kPausedX = 200, kPausedY = 295;      // inside the paused overlay only
constexpr int kGetReadyX = 150, kGetReadyY = 320;  // inside the get-ready overlay only
constexpr int kBirdX = 200, kBirdY = 150;
constexpr int kTitleX = 100, kTitleY = 190;
constexpr int kGameOverX = 40, kGameOverY = 40;

bool shows(const CapturedFrame& frame, int x, int y, const char* picture) {
    return frame.raw(x, y) == frame.rawOf(testPictureColour(picture));
}

// One pass of the frame loop as the log shows it: the PeekMessage record and
// everything up to the next one.
struct Pass {
    HeadlessRecord peek;
    std::vector<HeadlessEvent> events;
    int keyboardReads = 0;
    int frames = 0;
};

std::vector<Pass> passesOf(const HeadlessLog& log) {
    std::vector<Pass> passes;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const HeadlessRecord& r = log[i];
        if (r.event == HeadlessEvent::PeekMessage) {
            passes.push_back({r, {}, 0, 0});
        } else if (!passes.empty()) {
            passes.back().events.push_back(r.event);
            if (r.event == HeadlessEvent::KeyboardRead) ++passes.back().keyboardReads;
            if (r.event == HeadlessEvent::Present) ++passes.back().frames;
        }
    }
    return passes;
}

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pictures.ok()); }

    void leaveTitle(HeadlessPlatform& platform) {
        platform.press(DIK_SPACE, kTitleTime, kTitleTime + 100);
    }

    ScopedTestPictures pictures;
};

class EscapeFromTheStart : public RunLoopTest, public ::testing::WithParamInterface<PixelLayout> {};

TEST_P(EscapeFromTheStart, GivesOneIntroFrameOneTitleFrameThenGameOver) {
    HeadlessOptions options;
    options.layout = GetParam();
    HeadlessPlatform platform(options);
    platform.press(DIK_ESCAPE, INT32_MIN);
    HeadlessRun run = runGame(platform);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.budgetExhausted);
    ASSERT_GE(run.frames.size(), 3u);
    EXPECT_TRUE(shows(run.frames[0], kBirdX, kBirdY, "bird.bmp"));
    EXPECT_TRUE(shows(run.frames[1], kTitleX, kTitleY, "title.bmp"));
    for (std::size_t i = 2; i < run.frames.size(); ++i) {
        ASSERT_TRUE(shows(run.frames[i], kGameOverX, kGameOverY, "gameover.bmp")) << i;
    }
    // The game-over screen keeps going while less than 5000 ms have passed.
    const std::int32_t gameOverFrom = run.frames[1].gameTime;
    EXPECT_EQ(run.frames.back().gameTime - gameOverFrom, 5008);
    EXPECT_EQ(run.frames.size(), 2u + 313u);

    // One pass: the queue is looked at once, and the one update ends the game
    // (Quit draws nothing).
    std::vector<Pass> passes = passesOf(platform.log());
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_FALSE(passes[0].peek.retrieved);
    EXPECT_EQ(passes[0].keyboardReads, 1);
    EXPECT_EQ(passes[0].peek.gameTime, gameOverFrom);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, EscapeFromTheStart,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555));

// Escape down at one title poll only (a tap shorter than a frame): the first
// update still quits, as if the key were held, and game over follows.
TEST_F(RunLoopTest, EscapeTappedOnTheTitleEndsTheGame) {
    int getReadyFrames = 0, gameOverFrames = 0;
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    options.onFrame = [&](const CapturedFrame& frame) {
        getReadyFrames += shows(frame, kGetReadyX, kGetReadyY, "getready.bmp") ? 1 : 0;
        gameOverFrames += shows(frame, kGameOverX, kGameOverY, "gameover.bmp") ? 1 : 0;
    };
    HeadlessPlatform platform(options);
    platform.press(DIK_ESCAPE, kTitleTime + 90, kTitleTime + 100);
    EXPECT_EQ(runGame(platform).exitCode, 0);
    EXPECT_EQ(getReadyFrames, 0);
    EXPECT_EQ(gameOverFrames, 313);
}

TEST_F(RunLoopTest, QueuedMessagesWaitForPlayAndAreWorkedOffOnePerPass) {
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    HeadlessPlatform platform(options);
    leaveTitle(platform);
    platform.press(DIK_ESCAPE, kPlayTime);
    for (std::uint32_t i = 0; i < 10; ++i) platform.postMessage(0x0400 + i, 100 + i);
    HeadlessRun run = runGame(platform);

    std::vector<Pass> passes = passesOf(platform.log());
    ASSERT_GT(passes.size(), 11u);
    // The intro and the title pump nothing.
    EXPECT_EQ(passes[0].peek.gameTime, kTitleTime + 16);
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const Pass& pass = passes[i];
        SCOPED_TRACE(i);
        // Every pass, with a message or without, runs exactly one update.
        EXPECT_EQ(pass.keyboardReads, 1);
        if (i < 10) {
            ASSERT_TRUE(pass.peek.retrieved);
            EXPECT_EQ(pass.peek.message, 0x0400 + i);
            EXPECT_EQ(pass.peek.wParam, 100 + i);
            ASSERT_GE(pass.events.size(), 4u);
            EXPECT_EQ(pass.events[0], HeadlessEvent::TranslateMessage);
            EXPECT_EQ(pass.events[1], HeadlessEvent::DispatchMessage);
            EXPECT_EQ(pass.events[2], HeadlessEvent::DefWindowProc);
            EXPECT_EQ(pass.events[3], HeadlessEvent::KeyboardRead);
        } else {
            EXPECT_FALSE(pass.peek.retrieved);
            EXPECT_EQ(pass.events.front(), HeadlessEvent::KeyboardRead);
        }
    }
    // Get-ready and play draw one frame at every update but the one that ends
    // the get-ready pause. The update that quits draws nothing: what follows
    // it is the game-over screen.
    std::size_t drawn = 0;
    for (std::size_t i = 0; i + 1 < passes.size(); ++i) {
        EXPECT_LE(passes[i].frames, 1);
        drawn += passes[i].frames;
    }
    EXPECT_EQ(drawn, passes.size() - 2);
    EXPECT_EQ(passes.back().frames, 313);

    // Escape ended the game; the wParam of the last message retrieved before
    // that is no exit code.
    EXPECT_EQ(run.exitCode, 0);
}

TEST_F(RunLoopTest, QuitMessageWhilePausedEndsTheGameThroughGameOverWithItsCode) {
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame& f) { return f.gameTime > kTitleTime; };
    HeadlessPlatform platform(options);
    leaveTitle(platform);
    platform.press(DIK_P, 7000, 7040);
    platform.postMessage(WM_QUIT, 7, 8000);
    HeadlessRun run = runGame(platform);

    EXPECT_EQ(run.exitCode, 7);

    const HeadlessLog& log = platform.log();
    std::size_t quit = 0;
    for (; quit < log.size(); ++quit) {
        if (log[quit].event == HeadlessEvent::PeekMessage && log[quit].retrieved) break;
    }
    ASSERT_LT(quit, log.size());
    EXPECT_EQ(log[quit].message, WM_QUIT);
    const std::int32_t quitTime = log[quit].gameTime;
    // No update after the quit: nothing reads the keyboard any more, and no
    // message is dispatched.
    for (std::size_t i = quit + 1; i < log.size(); ++i) {
        EXPECT_NE(log[i].event, HeadlessEvent::KeyboardRead);
        EXPECT_NE(log[i].event, HeadlessEvent::DispatchMessage);
    }

    int getReadyFrames = 0, pausedFrames = 0, gameOverFrames = 0;
    for (const CapturedFrame& frame : run.frames) {
        if (!frame.hasPixels()) continue;
        if (frame.gameTime <= kTitleTime + 16) continue;  // the title
        if (frame.gameTime <= kLastGetReadyFrame) {
            EXPECT_TRUE(shows(frame, kGetReadyX, kGetReadyY, "getready.bmp")) << frame.gameTime;
            EXPECT_FALSE(shows(frame, kPausedX, kPausedY, "paused.bmp")) << frame.gameTime;
            ++getReadyFrames;
        } else if (frame.gameTime > 7050 && frame.gameTime <= quitTime) {
            EXPECT_TRUE(shows(frame, kPausedX, kPausedY, "paused.bmp")) << frame.gameTime;
            ++pausedFrames;
        } else if (frame.gameTime > quitTime) {
            EXPECT_TRUE(shows(frame, kGameOverX, kGameOverY, "gameover.bmp"));
            ++gameOverFrames;
        }
    }
    EXPECT_EQ(getReadyFrames, 188);
    EXPECT_GT(pausedFrames, 50);
    EXPECT_EQ(gameOverFrames, 313);
    EXPECT_EQ(run.frames.back().gameTime - quitTime, 5008);
}

TEST_F(RunLoopTest, ClosingTheWindowEndsTheGameThroughGameOverWithCodeZero) {
    for (std::uint32_t closing : {WM_CLOSE, WM_DESTROY}) {
        SCOPED_TRACE(closing);
        HeadlessOptions options;
        options.keepPixels = [](const CapturedFrame&) { return false; };
        HeadlessPlatform platform(options);
        leaveTitle(platform);
        // A message with a code of its own first: the close decides the code.
        platform.postMessage(0x0400, 55, kPlayTime);
        platform.postMessage(closing, 0, kPlayTime);
        HeadlessRun run = runGame(platform);

        EXPECT_EQ(run.exitCode, 0);
        EXPECT_FALSE(run.budgetExhausted);
        EXPECT_EQ(platform.log().count(HeadlessEvent::PostQuitMessage), 1u);
        std::vector<Pass> passes = passesOf(platform.log());
        ASSERT_GE(passes.size(), 3u);
        const Pass& last = passes.back();
        EXPECT_EQ(last.peek.message, WM_QUIT);
        EXPECT_EQ(last.keyboardReads, 0);
        // The pass that dispatched the close still ran its update.
        EXPECT_EQ(passes[passes.size() - 2].peek.message, closing);
        EXPECT_EQ(passes[passes.size() - 2].keyboardReads, 1);
        EXPECT_EQ(run.frames.back().gameTime - last.peek.gameTime, 5008);
    }
}

TEST_F(RunLoopTest, TheWindowIsShownFocusedWithTheCursorHiddenBeforeAnyFrame) {
    HeadlessPlatform platform;
    platform.press(DIK_ESCAPE, INT32_MIN);
    runGame(platform, 3);

    const HeadlessLog& log = platform.log();
    EXPECT_EQ(platform.shell().windowName(), "Zorbanix");
    EXPECT_EQ(platform.shell().lastShowCommand(), 3);
    EXPECT_EQ(platform.shell().cursorCount(), -1);
    const std::size_t show = log.find(HeadlessEvent::ShowWindow);
    const std::size_t firstFrame = log.find(HeadlessEvent::Present);
    ASSERT_LT(show, firstFrame);
    EXPECT_LT(log.find(HeadlessEvent::DirectSoundCreate), show);
    EXPECT_EQ(log.find(HeadlessEvent::UpdateWindow), show + 1);
    EXPECT_EQ(log.find(HeadlessEvent::SetFocus), show + 2);
    EXPECT_EQ(log.find(HeadlessEvent::ShowCursor), show + 3);
    EXPECT_EQ(log.count(HeadlessEvent::ShowCursor), 1u);
}

}  // namespace
