// Start-up failures: only the window and the display stop the program, and
// they stop it with exit code 1 before anything is shown or any other device
// is made.

#include <gtest/gtest.h>

#include "app/Application.h"
#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

class DisplaySetUpFailure : public ::testing::TestWithParam<SoftwareCall> {};

TEST_P(DisplaySetUpFailure, FailsWithCodeOneBeforeShowingAnythingOrMakingOtherDevices) {
    HeadlessPlatform platform;
    platform.display().failCall(GetParam());
    platform.press(DIK_ESCAPE, INT32_MIN);
    HeadlessRun run = runGame(platform);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(platform.display().callCount(GetParam()), 1);
    EXPECT_TRUE(run.frames.empty());
    const HeadlessLog& log = platform.log();
    EXPECT_EQ(log.count(HeadlessEvent::CreateMainWindow), 1u);
    EXPECT_EQ(log.count(HeadlessEvent::ShowWindow), 0u);
    EXPECT_EQ(log.count(HeadlessEvent::ShowCursor), 0u);
    EXPECT_EQ(platform.devices().directInputCreateCalls(), 0);
    EXPECT_EQ(platform.devices().directSoundCreateCalls(), 0);
    // The half-made display device was kept for shutdown, which destroyed it.
    EXPECT_EQ(application().displayDevice(), nullptr);
    EXPECT_EQ(platform.display().liveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, DisplaySetUpFailure,
    ::testing::Values(SoftwareCall::DirectDrawCreate, SoftwareCall::SetCooperativeLevel,
                      SoftwareCall::SetDisplayMode, SoftwareCall::CreateClipper,
                      SoftwareCall::SetHWnd, SoftwareCall::CreateSurface,
                      SoftwareCall::GetAttachedSurface, SoftwareCall::SetClipper));

TEST(WindowFailure, FailsWithCodeOneBeforeAnyDevice) {
    HeadlessPlatform platform;
    platform.shell().failWindowCreation(true);
    HeadlessRun run = runGame(platform);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.frames.empty());
    EXPECT_EQ(platform.display().callCount(SoftwareCall::DirectDrawCreate), 0);
    EXPECT_EQ(platform.devices().directInputCreateCalls(), 0);
    EXPECT_EQ(platform.log().count(HeadlessEvent::ShowWindow), 0u);
}

TEST(DeviceFailure, InputAndSoundFailuresDoNotStopTheSetUp) {
    HeadlessPlatform platform;
    platform.devices().setDirectInputResult(DIERR_GENERIC);
    platform.devices().setDirectSoundResult(DSERR_NODRIVER);
    WindowHandle window = platform.shell().createMainWindow("Zorbanix", nullptr);
    InstanceHandle instance = reinterpret_cast<InstanceHandle>(&platform);

    Application& app = application();
    ASSERT_EQ(app.initialize(window, instance), 1);
    EXPECT_NE(app.displayDevice(), nullptr);
    EXPECT_NE(app.inputSystem(), nullptr);
    EXPECT_NE(app.soundSystem(), nullptr);
    EXPECT_EQ(app.window(), window);
    EXPECT_EQ(app.instance(), instance);
    EXPECT_EQ(platform.devices().directInputCreateCalls(), 1);
    EXPECT_EQ(platform.devices().directSoundCreateCalls(), 1);

    app.shutdown();
    EXPECT_EQ(app.displayDevice(), nullptr);
    EXPECT_EQ(app.inputSystem(), nullptr);
    EXPECT_EQ(app.soundSystem(), nullptr);
    EXPECT_EQ(platform.display().liveObjects(), 0);
}

TEST(DeviceFailure, ASecondSetUpAndTheShutdownLeaveNothingBehind) {
    HeadlessPlatform platform;
    WindowHandle window = platform.shell().createMainWindow("Zorbanix", nullptr);
    Application& app = application();
    ASSERT_EQ(app.initialize(window, nullptr), 1);
    ASSERT_EQ(app.initialize(window, nullptr), 1);
    EXPECT_GT(platform.devices().liveObjects(), 0);
    app.shutdown();
    app.shutdown();
    EXPECT_EQ(platform.devices().liveObjects(), 0);
    EXPECT_EQ(platform.display().liveObjects(), 0);
}

}  // namespace
