#include <gtest/gtest.h>

#include "display/BackBuffer.h"
#include "display/Clipper.h"
#include "display/DisplayDevice.h"
#include "display/PrimarySurface.h"
#include "display/VideoDriver.h"
#include "support/MockDisplay.h"

using namespace ::testing;

namespace {

const WindowHandle kWindow = fakeHandle<WindowHandle>(0x40);

// A driver that holds a mock DirectDraw object.
class DriverTest : public MockDriverTest<> {
protected:
    // Creates the primary with the given count and returns the request made.
    DdSurfaceDesc primaryRequest(int count, std::uint32_t extraCaps) {
        DdSurfaceDesc seen = {};
        EXPECT_CALL(dd, CreateSurface(_, _))
            .WillOnce(DoAll(SaveArgPointee<0>(&seen), HandOut<1>(&front, DD_OK)));
        EXPECT_TRUE(primary.Create(&driver, count, extraCaps));
        return seen;
    }

    StrictMock<MockDdSurface> front;
    PrimarySurface primary;
};

TEST_F(DriverTest, CooperativeModesMapToTheirLevels) {
    EXPECT_CALL(dd, SetCooperativeLevel(kWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN))
        .WillOnce(Return(DD_OK));
    EXPECT_TRUE(driver.SetCooperativeLevel(FullScreenExclusive, kWindow));

    EXPECT_CALL(dd, SetCooperativeLevel(kWindow, DDSCL_NORMAL)).WillOnce(Return(DDERR_GENERIC));
    EXPECT_FALSE(driver.SetCooperativeLevel(Windowed, kWindow));
    EXPECT_EQ(driver.cooperativeMode(), Windowed);

    // Any other mode is only remembered.
    WindowHandle other = fakeHandle<WindowHandle>(0x41);
    EXPECT_TRUE(driver.SetCooperativeLevel(2, other));
    EXPECT_EQ(driver.cooperativeMode(), 2);
    EXPECT_EQ(driver.window(), other);
}

TEST_F(DriverTest, CreatingAgainReleasesTheOldObjectAndResetsSettings) {
    EXPECT_TRUE(driver.SetCooperativeLevel(7, kWindow));
    StrictMock<MockDirectDraw> second;
    {
        InSequence order;
        EXPECT_CALL(dd, Release()).WillOnce(Return(0));
        EXPECT_CALL(platform, DirectDrawCreate(nullptr, _)).WillOnce(Return(DDERR_GENERIC));
    }
    EXPECT_FALSE(driver.Create(nullptr));
    EXPECT_EQ(driver.device(), nullptr);
    EXPECT_EQ(driver.cooperativeMode(), FullScreenExclusive);
    EXPECT_EQ(driver.window(), nullptr);
}

TEST_F(DriverTest, PrimaryRequestFlipsOnlyInExclusiveMode) {
    DdSurfaceDesc fullScreen = primaryRequest(2, 0);
    EXPECT_EQ(fullScreen.size, 108u);
    EXPECT_EQ(fullScreen.flags, 0x21u);
    EXPECT_EQ(fullScreen.backBufferCount, 1u);
    EXPECT_EQ(fullScreen.caps, 0x218u);

    // Creating again gives the old surface back first.
    EXPECT_CALL(front, Release()).WillOnce(Return(0));
    EXPECT_CALL(dd, SetCooperativeLevel(kWindow, DDSCL_NORMAL)).WillOnce(Return(DD_OK));
    ASSERT_TRUE(driver.SetCooperativeLevel(Windowed, kWindow));
    DdSurfaceDesc windowed = primaryRequest(2, 0);
    EXPECT_EQ(windowed.caps, 0x208u);

    EXPECT_CALL(front, Release()).WillOnce(Return(0));
    DdSurfaceDesc single = primaryRequest(1, DDSCAPS_SYSTEMMEMORY);
    EXPECT_EQ(single.flags, DDSD_CAPS);
    EXPECT_EQ(single.caps, DDSCAPS_PRIMARYSURFACE | DDSCAPS_SYSTEMMEMORY);
}

TEST_F(DriverTest, PrimaryCountsOtherThanOneOrTwoFailWithoutAPlatformCall) {
    for (int count : {0, 3, -1}) EXPECT_FALSE(primary.Create(&driver, count, 0)) << count;
    EXPECT_FALSE(primary.Create(nullptr, 2, 0));
    EXPECT_EQ(primary.platformSurface(), nullptr);
}

TEST_F(DriverTest, BackBufferIsTheSurfaceAttachedToThePrimary) {
    BackBuffer back;
    EXPECT_FALSE(back.AttachTo(nullptr));
    EXPECT_FALSE(back.AttachTo(&primary));  // primary without a surface

    primaryRequest(2, 0);
    StrictMock<MockDdSurface> attached;
    EXPECT_CALL(front, GetAttachedSurface(DDSCAPS_BACKBUFFER, _))
        .WillOnce(HandOut<1>(&attached, DDERR_NOTFOUND));
    EXPECT_FALSE(back.AttachTo(&primary));
    EXPECT_EQ(back.platformSurface(), nullptr);
    EXPECT_EQ(back.primary(), nullptr);

    EXPECT_CALL(front, GetAttachedSurface(DDSCAPS_BACKBUFFER, _))
        .WillOnce(HandOut<1>(&attached, DD_OK));
    EXPECT_TRUE(back.AttachTo(&primary));
    EXPECT_EQ(back.platformSurface(), &attached);
    EXPECT_EQ(back.primary(), &primary);
}

// The platform calls of the display set-up, in their order.
enum SetUpStep {
    kCreateDriver,
    kCooperate,
    kDisplayMode,
    kCreateClipper,
    kClipWindow,
    kCreatePrimary,
    kAttachBack,
    kClipBack,
    kNoFailure
};

class DisplaySetUpTest : public MockDisplayTest<TestWithParam<int>> {
protected:
    // Expects the set-up calls up to the failing one, then none, and at
    // tear-down the release of what was made, newest first.
    void script(int failing) {
        auto result = [failing](int step) { return step == failing ? DDERR_GENERIC : DD_OK; };
        InSequence order;
        EXPECT_CALL(platform, DirectDrawCreate(nullptr, _))
            .WillOnce(HandOut<1>(failing == kCreateDriver ? nullptr : &dd, result(kCreateDriver)));
        if (failing == kCreateDriver) return;
        EXPECT_CALL(dd, SetCooperativeLevel(kWindow, 0x11)).WillOnce(Return(result(kCooperate)));
        if (failing == kCooperate) return;
        EXPECT_CALL(dd, SetDisplayMode(800, 600, 16)).WillOnce(Return(result(kDisplayMode)));
        if (failing == kDisplayMode) return;
        EXPECT_CALL(dd, CreateClipper(0, _))
            .WillOnce(
                HandOut<1>(failing == kCreateClipper ? nullptr : &clipper, result(kCreateClipper)));
        if (failing == kCreateClipper) return;
        EXPECT_CALL(clipper, SetHWnd(0, kWindow)).WillOnce(Return(result(kClipWindow)));
        if (failing == kClipWindow) return;
        EXPECT_CALL(dd, CreateSurface(_, _))
            .WillOnce(
                HandOut<1>(failing == kCreatePrimary ? nullptr : &front, result(kCreatePrimary)));
        if (failing == kCreatePrimary) return;
        EXPECT_CALL(front, GetAttachedSurface(DDSCAPS_BACKBUFFER, _))
            .WillOnce(HandOut<1>(&back, result(kAttachBack)));
        if (failing == kAttachBack) return;
        EXPECT_CALL(back, SetClipper(&clipper)).WillOnce(Return(result(kClipBack)));
    }

    void expectTearDown(int failing) {
        InSequence order;
        if (failing > kAttachBack) EXPECT_CALL(back, Release()).WillOnce(Return(0));
        if (failing > kCreatePrimary) EXPECT_CALL(front, Release()).WillOnce(Return(0));
        if (failing > kCreateClipper) EXPECT_CALL(clipper, Release()).WillOnce(Return(0));
        if (failing > kCreateDriver) EXPECT_CALL(dd, Release()).WillOnce(Return(0));
    }

    StrictMock<MockDirectDraw> dd;
    StrictMock<MockDdClipper> clipper;
    StrictMock<MockDdSurface> front;
    StrictMock<MockDdSurface> back;
};

TEST_P(DisplaySetUpTest, StopsAtTheFirstFailureAndReleasesInReverseOrder) {
    const int failing = GetParam();
    script(failing);
    DisplayDevice* display = new DisplayDevice;
    EXPECT_EQ(display->Create(kWindow, 800, 600, 16), failing == kNoFailure);

    EXPECT_EQ(display->window(), kWindow);
    EXPECT_EQ(display->driver()->device() != nullptr, failing > kCreateDriver);
    EXPECT_EQ(display->clipper()->platformClipper() != nullptr, failing > kCreateClipper);
    EXPECT_EQ(display->primary()->platformSurface() != nullptr, failing > kCreatePrimary);
    EXPECT_EQ(display->backBuffer()->platformSurface() != nullptr, failing > kAttachBack);
    ::testing::Mock::VerifyAndClearExpectations(&platform);

    expectTearDown(failing);
    delete display;
}

INSTANTIATE_TEST_SUITE_P(EachStep, DisplaySetUpTest, ::testing::Range(0, kNoFailure + 1));

}  // namespace
