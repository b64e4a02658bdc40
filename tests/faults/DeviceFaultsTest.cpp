// The keyboard and the sound device failing: without them the waves still
// play (the fleet marches, fires and wins); with the keyboard taken away
// while a key is held, the key does not stay down once it comes back.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/Application.h"
#include "devices/DirectSoundApi.h"
#include "devices/InputSystem.h"
#include "display/DisplayDevice.h"
#include "faults/ScriptedGame.h"
#include "game/Game.h"

namespace {

enum class Missing { DirectInput, Keyboard };

class WithoutInputOrSound : public faults::ScriptTest<Missing> {};

TEST_P(WithoutInputOrSound, TheWavesPlayOnWithNoKeyReadUntilTheFleetWins) {
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    options.frameTime = 50;  // the same play in fewer frames
    faults::ScreenLog log;
    options.onFrame = [&](const CapturedFrame& frame) { log.note(frame); };
    HeadlessPlatform platform(options);
    if (GetParam() == Missing::DirectInput) {
        platform.devices().setDirectInputResult(DIERR_GENERIC);
    } else {
        platform.devices().setCreateDeviceResult(DIERR_GENERIC);
    }
    platform.devices().setDirectSoundResult(DSERR_NODRIVER);
    // Keys the game would act on, had it a keyboard.
    platform.press(DIK_ESCAPE, INT32_MIN);
    platform.press(DIK_P, INT32_MIN);

    Application& app = application();
    WindowHandle window = platform.shell().createMainWindow("Zorbanix", nullptr);
    ASSERT_EQ(app.initialize(window, nullptr), 1);
    {
        // The run's own steps after the title, which without a keyboard
        // would wait for Space for ever.
        Game game;
        game.setUp(app.displayDevice(), app.inputSystem());
        game.startWave();
        int updates = 0;
        while (game.state() >= Playing && updates < 100000) {
            game.update();
            ++updates;
        }
        EXPECT_EQ(game.state(), GameLost);
        EXPECT_EQ(game.spareShips(), 0);
        game.runGameOver();
        game.tearDown();
    }
    app.shutdown();

    EXPECT_EQ(platform.devices().keyboardReads(), 0);
    // The wave's get-ready pause and one for each of the two ships that
    // replaced a lost one, each of 3000 ms, then the game-over screen.
    const std::vector<faults::Stretch> stretches = log.stretches();
    SCOPED_TRACE(faults::describe(stretches));
    int getReady = 0;
    for (const faults::Stretch& s : stretches) {
        if (s.screen != faults::Screen::GetReady) continue;
        ++getReady;
        EXPECT_NEAR(s.length(), 3000, 2 * options.frameTime);
    }
    EXPECT_EQ(getReady, 3);
    ASSERT_FALSE(stretches.empty());
    EXPECT_EQ(stretches.back().screen, faults::Screen::GameOver);
    EXPECT_EQ(platform.devices().liveObjects(), 0);
    EXPECT_EQ(platform.display().liveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(Failing, WithoutInputOrSound,
                         ::testing::Values(Missing::DirectInput, Missing::Keyboard));

// Right is held from 7000; at 7200 another window takes the keyboard, Right
// is let go at 7500 while the game cannot see it, and the keyboard comes
// back at 8000. Left from 8600 to 8800 shows the keys are read again.
TEST(FocusLoss, AKeyHeldWhenTheFocusWentIsNotDownWhenItComesBack) {
    ScopedTestPictures pictures;
    ASSERT_TRUE(pictures.ok());
    constexpr std::int32_t kLost = 7200, kBack = 8000;
    constexpr std::int32_t kLeft = 8600, kLeftEnd = 8800;

    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    std::vector<std::pair<std::int32_t, int>> ship;  // game time, ship x
    HeadlessPlatform* running = nullptr;
    options.onFrame = [&](const CapturedFrame& frame) {
        ship.push_back({frame.gameTime, faults::shipX(frame)});
        HeadlessDevices& devices = running->devices();
        if (frame.gameTime >= kLost && frame.gameTime < kBack) {
            devices.setDeviceStateResult(DIERR_INPUTLOST);
            devices.setAcquireResult(DIERR_OTHERAPPHASPRIO);
        } else {
            devices.setDeviceStateResult(DI_OK);
            devices.setAcquireResult(DI_OK);
        }
    };
    HeadlessPlatform platform(options);
    running = &platform;
    platform.press(DIK_SPACE, faults::kLeaveTitle, faults::kLeaveTitle + 100);
    platform.press(DIK_RIGHT, 7000, 7500);
    platform.press(DIK_LEFT, kLeft, kLeftEnd);
    platform.press(DIK_ESCAPE, 9500);
    HeadlessRun run = runGame(platform);
    ASSERT_FALSE(run.budgetExhausted);

    auto xAt = [&](std::int32_t t) {
        for (const auto& entry : ship) {
            if (entry.first >= t) return entry.second;
        }
        return -1;
    };
    const int before = xAt(7000);
    const int whenLost = xAt(kLost + 16);
    ASSERT_GT(before, 0);
    EXPECT_GT(whenLost, before);
    // Nothing moves it while the keyboard is away, nor after it is back.
    EXPECT_EQ(xAt(kBack - 16), whenLost);
    EXPECT_EQ(xAt(kLeft), whenLost);
    // Keys are read again: Left moves it, by 250 pixels a second.
    EXPECT_NEAR(xAt(kLeftEnd + 16), whenLost - 50, 4);
}

}  // namespace
