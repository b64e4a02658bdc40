// The headless harness itself, where a fault would make other tests pass or
// hang for the wrong reason.

#include <gtest/gtest.h>

#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

TEST(Harness, ARunWaitingForAKeyForEverIsEndedByTheFrameBudget) {
    HeadlessOptions options;
    options.frameBudget = 400;  // past the 3000 ms intro: the title waits
    options.keepPixels = [](const CapturedFrame&) { return false; };
    HeadlessPlatform platform(options);
    HeadlessRun run = runGame(platform);

    EXPECT_TRUE(run.budgetExhausted);
    EXPECT_EQ(run.exitCode, 0);
    // The title sees Escape at its next poll, shows that pass's frame and
    // ends; the game-over screen follows.
    EXPECT_EQ(run.frames.size(), 401u + 313u);
}

TEST(Harness, TheClockMovesOnlyAtVerticalBlanksAndKeysFollowTheirIntervals) {
    HeadlessOptions options;
    options.frameTime = 20;
    options.startTime = 1000;
    HeadlessPlatform platform(options);
    HeadlessDevices& keys = platform.devices();
    keys.press(DIK_SPACE, 1040, 1060);

    EXPECT_EQ(platform.gameTime(), 1000);
    EXPECT_FALSE(keys.isScriptedDown(DIK_SPACE, 1039));
    EXPECT_TRUE(keys.isScriptedDown(DIK_SPACE, 1040));
    EXPECT_FALSE(keys.isScriptedDown(DIK_SPACE, 1060));
    EXPECT_FALSE(keys.isScriptedDown(DIK_P, 1050));

    platform.onVerticalBlank();
    platform.onVerticalBlank();
    EXPECT_EQ(platform.gameTime(), 1040);

    // A message due later stays queued until its time, without holding back
    // one posted after it that is due already.
    platform.postMessage(0x0401, 1, 2000);
    platform.postMessage(0x0402, 2);
    ShellMessage message = {};
    ASSERT_TRUE(platform.shell().PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, 0x0402u);
    EXPECT_FALSE(platform.shell().PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    platform.shell().setGameTime(2000);
    ASSERT_TRUE(platform.shell().PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, 0x0401u);
}

TEST(Harness, IdenticalFramesShareTheirPixelsAndDifferentOnesDoNot) {
    HeadlessPlatform platform;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, sdlPixelFormat(PixelLayout::Rgb565));
    ASSERT_NE(surface, nullptr);
    SDL_FillRect(surface, nullptr, 0);
    platform.onPresent(surface);
    platform.onPresent(surface);
    SDL_Rect dot = {799, 599, 1, 1};
    SDL_FillRect(surface, &dot, 0xF800);
    platform.onPresent(surface);
    SDL_FreeSurface(surface);

    const auto& frames = platform.frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].pixels, frames[1].pixels);
    EXPECT_NE(frames[1].pixels, frames[2].pixels);
    EXPECT_EQ(frames[2].raw(799, 599), 0xF800);
    EXPECT_EQ(frames[2].rgb(799, 599), 0x0000FFu);
    EXPECT_EQ(frames[1].raw(799, 599), 0);
}

}  // namespace
