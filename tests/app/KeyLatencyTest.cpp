// A key that is down when the game polls the keyboard shows its effect in
// the very frame that this pass of the run loop presents: the whole program
// runs on the headless harness, and each key is held for exactly one poll,
// pressed right after the frame before it was shown.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TestPictures.h"

namespace {

constexpr int kShipRow = 558;
constexpr int kShotTop = 480;
constexpr int kShotBottom = 546;
constexpr int kPausedX = 192 + 71;
constexpr int kPausedY = 290 + 10;

// What one frame shows of the ship, its shot and the pause sign.
struct Seen {
    std::int32_t gameTime = 0;
    int shipLeft = -1;  // first column of the ship on its row, -1 when not shown
    bool shot = false;
    bool paused = false;
};

Seen see(const CapturedFrame& frame) {
    Seen seen;
    seen.gameTime = frame.gameTime;
    const std::uint16_t ship = frame.rawOf(testPictureColour("nanite.bmp"));
    for (int x = 0; x < CapturedFrame::kWidth && seen.shipLeft < 0; ++x) {
        if (frame.raw(x, kShipRow) == ship) seen.shipLeft = x;
    }
    const std::uint16_t shot = frame.rawOf(testPictureColour("pbullet.bmp"));
    for (int y = kShotTop; y < kShotBottom && !seen.shot; ++y) {
        for (int x = 0; x < CapturedFrame::kWidth && !seen.shot; ++x) {
            seen.shot = frame.raw(x, y) == shot;
        }
    }
    seen.paused = frame.raw(kPausedX, kPausedY) == frame.rawOf(testPictureColour("paused.bmp"));
    return seen;
}

TEST(KeyLatency, AKeyDownAtAPollShowsInTheFramePresentedAfterIt) {
    ScopedTestPictures pictures;
    ASSERT_TRUE(pictures.ok());

    // Each step: the key to hold for the one poll after the frame shown.
    const int steps[] = {DIK_RIGHT, 0, DIK_SPACE, 0, DIK_P, 0};
    std::vector<Seen> before, after;  // the frame shown before each step, and the next
    std::size_t step = 0;
    bool pending = false;

    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    HeadlessPlatform* harness = nullptr;
    options.onFrame = [&](const CapturedFrame& frame) {
        if (step >= sizeof steps / sizeof steps[0]) return;
        // Play has begun once the ship is on screen: the first shot of the
        // fleet is then more than half a second from reaching it.
        const Seen seen = see(frame);
        if (pending) {
            after.push_back(seen);
            pending = false;
            ++step;
        }
        if (step >= sizeof steps / sizeof steps[0]) {
            harness->press(DIK_ESCAPE, frame.gameTime);
            return;
        }
        if (seen.shipLeft < 0 || frame.gameTime < 6000) return;
        before.push_back(seen);
        // Down from the time of the next poll, up again before the one after.
        if (steps[step] != 0) harness->press(steps[step], frame.gameTime, frame.gameTime + 1);
        pending = true;
    };
    HeadlessPlatform platform(options);
    harness = &platform;
    platform.press(DIK_SPACE, 3500, 3550);  // leaves the title
    const HeadlessRun run = runGame(platform);

    ASSERT_FALSE(run.budgetExhausted);
    ASSERT_EQ(after.size(), 6u);
    // Right: the ship moves in that same frame, a frame's worth of its
    // 250 pixels a second, and stands again in the frame after.
    EXPECT_EQ(after[0].shipLeft - before[0].shipLeft, 4);
    EXPECT_EQ(after[1].shipLeft, before[1].shipLeft);
    // Space: no shot before, the shot in the frame after the poll.
    EXPECT_FALSE(before[2].shot);
    EXPECT_TRUE(after[2].shot);
    // P: the pause sign in the frame after the poll, and it stays.
    EXPECT_FALSE(before[4].paused);
    EXPECT_TRUE(after[4].paused);
    EXPECT_TRUE(after[5].paused);
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].gameTime - before[i].gameTime, options.frameTime) << "step " << i;
    }
}

}  // namespace
