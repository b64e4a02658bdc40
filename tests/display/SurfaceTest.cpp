#include <gtest/gtest.h>

#include "display/BackBuffer.h"
#include "display/Bitmap.h"
#include "display/Clipper.h"
#include "display/PrimarySurface.h"
#include "display/SpriteFrame.h"
#include "display/Surface.h"
#include "display/VideoDriver.h"
#include "support/MockDisplay.h"

using namespace ::testing;

namespace {

class SurfaceTest : public MockDisplayTest<> {
protected:
    StrictMock<MockDdSurface> destMock;
    StrictMock<MockDdSurface> sourceMock;
    HeldSurface dest{&destMock};
    HeldSurface source{&sourceMock};
};

TEST_F(SurfaceTest, EveryOperationOnAnEmptyObjectFailsWithoutAPlatformCall) {
    Surface empty;
    EXPECT_FALSE(empty.Blit(&source, nullptr, nullptr));
    EXPECT_FALSE(dest.Blit(&empty, nullptr, nullptr));
    EXPECT_FALSE(dest.Blit(nullptr, nullptr, nullptr));
    EXPECT_FALSE(source.DrawOnto(nullptr));
    EXPECT_FALSE(empty.RestoreIfLost());
    EXPECT_FALSE(empty.Fill(nullptr, 0));
    EXPECT_FALSE(empty.SetClipper(nullptr));
    EXPECT_FALSE(empty.ReleaseSurface());
    EXPECT_FALSE(empty.SetColourKey(0xFF00FF));
    EXPECT_FALSE(empty.hasKey());
    empty.FillRect(0, 0, 4, 4, 0x00FF00);
    EXPECT_TRUE(empty.Destroy());

    PrimarySurface primary;
    DdSurface* out = nullptr;
    EXPECT_FALSE(primary.GetAttached(DDSCAPS_BACKBUFFER, &out));
    EXPECT_FALSE(primary.Flip(nullptr));

    VideoDriver driver;
    EXPECT_FALSE(driver.SetCooperativeLevel(FullScreenExclusive, nullptr));
    EXPECT_FALSE(driver.SetDisplayMode(800, 600, 16));
    EXPECT_FALSE(driver.CreateSurface(nullptr, &out));
    EXPECT_FALSE(driver.WaitForVerticalBlank());
    Clipper clipper;
    EXPECT_FALSE(clipper.Create(&driver));
    EXPECT_FALSE(clipper.Create(nullptr));
    EXPECT_FALSE(clipper.SetWindow(nullptr));

    SpriteFrame frame;
    Bitmap bitmap;
    EXPECT_FALSE(frame.Create(nullptr, 8, 8));
    EXPECT_FALSE(frame.LoadFrom(&bitmap, 0, 0));
    EXPECT_FALSE(frame.DrawAt(&dest, 0, 0));
    EXPECT_FALSE(frame.DrawAt(nullptr, 0, 0));
    EXPECT_FALSE(bitmap.CopyToSurface(&destMock, 0, 0, 8, 8));
    EXPECT_FALSE(bitmap.CopyToDC(nullptr, 0, 0, 8, 8));
}

TEST_F(SurfaceTest, BlitKeysOnlyWhenTheSourceHasAKey) {
    DdRect to = {1, 2, 3, 4};
    DdRect from = {5, 6, 7, 8};
    EXPECT_CALL(destMock, Blt(&to, &sourceMock, &from, DDBLT_WAIT, nullptr))
        .WillOnce(Return(DD_OK));
    EXPECT_TRUE(dest.Blit(&source, &to, &from));

    // The destination's own key plays no part.
    dest.giveKey(0x1234);
    source.giveKey(0xF81F);
    EXPECT_CALL(destMock, Blt(nullptr, &sourceMock, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr))
        .WillOnce(Return(DDERR_GENERIC));
    EXPECT_FALSE(source.DrawOnto(&dest));
}

TEST_F(SurfaceTest, LostBlitRestoresDestinationThenSourceAndRetriesOnce) {
    for (DdResult retry : {DD_OK, DDERR_SURFACELOST}) {
        InSequence order;
        EXPECT_CALL(destMock, Blt(_, _, _, _, _)).WillOnce(Return(DDERR_SURFACELOST));
        EXPECT_CALL(destMock, IsLost()).WillOnce(Return(DDERR_SURFACELOST));
        EXPECT_CALL(destMock, Restore()).WillOnce(Return(DDERR_GENERIC));
        EXPECT_CALL(sourceMock, IsLost()).WillOnce(Return(DDERR_SURFACELOST));
        EXPECT_CALL(sourceMock, Restore()).WillOnce(Return(DD_OK));
        EXPECT_CALL(destMock, Blt(_, &sourceMock, _, DDBLT_WAIT, nullptr)).WillOnce(Return(retry));
        EXPECT_EQ(dest.Blit(&source, nullptr, nullptr), retry == DD_OK);
        ::testing::Mock::VerifyAndClearExpectations(&destMock);
        ::testing::Mock::VerifyAndClearExpectations(&sourceMock);
    }
}

TEST_F(SurfaceTest, RestoreOnlyWhenLost) {
    EXPECT_CALL(destMock, IsLost()).WillOnce(Return(DD_OK));
    EXPECT_TRUE(dest.RestoreIfLost());
    EXPECT_CALL(destMock, IsLost()).WillOnce(Return(DDERR_SURFACELOST));
    EXPECT_CALL(destMock, Restore()).WillOnce(Return(DDERR_GENERIC));
    EXPECT_FALSE(dest.RestoreIfLost());
}

// DirectDraw refuses to restore the back buffer on its own.
TEST_F(SurfaceTest, ALostBackBufferIsRestoredThroughItsPrimary) {
    StrictMock<MockDdSurface> frontMock;
    PrimarySurface primary;
    *primary.platformSurfaceSlot() = &frontMock;
    BackBuffer back;
    EXPECT_CALL(frontMock, GetAttachedSurface(_, _)).WillOnce(HandOut<1>(&destMock, DD_OK));
    ASSERT_TRUE(back.AttachTo(&primary));
    EXPECT_CALL(destMock, IsLost()).WillOnce(Return(DDERR_SURFACELOST));
    EXPECT_CALL(destMock, Restore()).WillOnce(Return(DDERR_IMPLICITLYCREATED));
    EXPECT_CALL(frontMock, Restore()).WillOnce(Return(DD_OK));
    EXPECT_TRUE(back.RestoreIfLost());
}

TEST_F(SurfaceTest, FillIsAColourFillWithoutLostSurfaceHandling) {
    DdRect area = {0, 0, 10, 10};
    auto fx = Pointee(AllOf(Field(&DdBltFx::size, 100u), Field(&DdBltFx::fillColor, 0x07E0u)));
    EXPECT_CALL(destMock, Blt(&area, nullptr, nullptr, 0x01000400u, fx))
        .WillOnce(Return(DDERR_SURFACELOST));
    EXPECT_FALSE(dest.Fill(&area, 0x07E0));
}

TEST_F(SurfaceTest, ClipperAndDestroy) {
    StrictMock<MockDdClipper> platformClipper;
    EXPECT_CALL(destMock, SetClipper(nullptr)).WillOnce(Return(DD_OK));
    EXPECT_TRUE(dest.SetClipper(nullptr));

    // Releasing leaves the member for the caller to drop; Destroy drops it
    // along with the key, so a second Destroy has nothing to release.
    dest.giveKey(0xF81F);
    EXPECT_CALL(destMock, Release()).Times(2).WillRepeatedly(Return(0));
    EXPECT_TRUE(dest.ReleaseSurface());
    EXPECT_EQ(dest.platformSurface(), &destMock);
    EXPECT_TRUE(dest.Destroy());
    EXPECT_TRUE(dest.Destroy());
    EXPECT_EQ(dest.platformSurface(), nullptr);
    EXPECT_FALSE(dest.hasKey());
    EXPECT_EQ(dest.keyValue(), 0u);
}

// A primary holding a mock surface, on a driver holding a mock DirectDraw.
class FlipTest : public MockDriverTest<> {
protected:
    void SetUp() override {
        MockDriverTest::SetUp();
        *primary.platformSurfaceSlot() = &front;
    }

    StrictMock<MockDdSurface> front;
    PrimarySurface primary;
};

TEST_F(FlipTest, WaitsForTheVerticalBlankThenFlips) {
    InSequence order;
    EXPECT_CALL(dd, WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr))
        .WillOnce(Return(DDERR_GENERIC));
    EXPECT_CALL(front, Flip(nullptr, DDFLIP_WAIT))
        .WillOnce(Return(DDERR_WASSTILLDRAWING))
        .WillOnce(Return(DD_OK));
    EXPECT_TRUE(primary.Flip(&driver));
}

TEST_F(FlipTest, ABusyDeviceIsAskedABoundedNumberOfTimes) {
    EXPECT_CALL(dd, WaitForVerticalBlank(_, _)).WillOnce(Return(DD_OK));
    EXPECT_CALL(front, Flip(nullptr, DDFLIP_WAIT))
        .Times(PrimarySurface::kFlipAttempts)
        .WillRepeatedly(Return(DDERR_WASSTILLDRAWING));
    EXPECT_TRUE(primary.Flip(&driver));
}

TEST_F(FlipTest, LostSurfacesAreRestoredOnceThenTheFrameIsDropped) {
    EXPECT_CALL(dd, WaitForVerticalBlank(_, _)).WillRepeatedly(Return(DD_OK));
    for (DdResult retry : {DDERR_SURFACELOST, DD_OK}) {
        InSequence order;
        EXPECT_CALL(front, Flip(nullptr, DDFLIP_WAIT)).WillOnce(Return(DDERR_SURFACELOST));
        EXPECT_CALL(front, IsLost()).WillOnce(Return(DDERR_SURFACELOST));
        EXPECT_CALL(front, Restore()).WillOnce(Return(DD_OK));
        EXPECT_CALL(front, Flip(nullptr, DDFLIP_WAIT)).WillOnce(Return(retry));
        EXPECT_TRUE(primary.Flip(&driver));
        ::testing::Mock::VerifyAndClearExpectations(&front);
    }
}

}  // namespace
