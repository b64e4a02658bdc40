#include <gtest/gtest.h>

#include "display/Bitmap.h"
#include "display/Sprite.h"
#include "display/SpriteFrame.h"
#include "display/VideoDriver.h"
#include "support/MockDisplay.h"

using namespace ::testing;

namespace {

auto IsRect(int left, int top, int right, int bottom) {
    return Pointee(AllOf(Field(&DdRect::left, left), Field(&DdRect::top, top),
                         Field(&DdRect::right, right), Field(&DdRect::bottom, bottom)));
}

class SpriteTest : public MockDriverTest<> {
protected:
    void SetUp() override {
        MockDriverTest<>::SetUp();
        // Each new frame is cleared to black (PixelDrawingTest sees it).
        for (auto& frame : frames) EXPECT_CALL(frame, Blt(_, nullptr, _, _, _)).Times(AnyNumber());
    }

    StrictMock<MockDdSurface> frames[3];
    StrictMock<MockDdSurface> screen;
    HeldSurface backBuffer{&screen};
};

TEST_F(SpriteTest, NoFramesMeansAnEmptySprite) {
    Sprite sprite;
    for (int count : {0, -1}) {
        EXPECT_FALSE(sprite.Create(&driver, count, 8, 8));
        EXPECT_EQ(sprite.frameCount(), 0);
    }
    EXPECT_TRUE(sprite.SetColourKey(0xFF00FF));
    EXPECT_FALSE(sprite.Draw(0, 0, 0, &backBuffer));
    EXPECT_FALSE(sprite.LoadFrame(nullptr, 0, 0, 0));
}

TEST_F(SpriteTest, FramesAreSystemMemorySurfacesDrawnAtTheirOwnSize) {
    DdSurfaceDesc request = {};
    EXPECT_CALL(dd, CreateSurface(_, _))
        .WillOnce(DoAll(SaveArgPointee<0>(&request), HandOut<1>(&frames[0], DD_OK)))
        .WillOnce(HandOut<1>(&frames[1], DD_OK));
    Sprite sprite(&driver, 2, 25, 17);
    EXPECT_EQ(request.size, 108u);
    EXPECT_EQ(request.flags, 7u);
    EXPECT_EQ(request.caps, 0x840u);
    EXPECT_EQ(request.width, 25u);
    EXPECT_EQ(request.height, 17u);

    for (int index : {-1, 2}) {
        EXPECT_FALSE(sprite.Draw(index, 0, 0, &backBuffer)) << index;
        EXPECT_FALSE(sprite.LoadFrame(nullptr, index, 0, 0)) << index;
    }
    EXPECT_CALL(screen, Blt(IsRect(100, 200, 125, 217), &frames[1], IsRect(0, 0, 25, 17),
                            DDBLT_WAIT, nullptr))
        .WillOnce(Return(DD_OK));
    EXPECT_TRUE(sprite.Draw(1, 100, 200, &backBuffer));

    InSequence order;
    EXPECT_CALL(frames[0], Release()).WillOnce(Return(0));
    EXPECT_CALL(frames[1], Release()).WillOnce(Return(0));
    EXPECT_TRUE(sprite.Destroy());
    EXPECT_EQ(sprite.frameCount(), 0);
    EXPECT_EQ(sprite.frame(0), nullptr);
}

TEST_F(SpriteTest, AFrameLoadsTheBlockOfItsOwnSize) {
    EXPECT_CALL(dd, CreateSurface(_, _)).WillOnce(HandOut<1>(&frames[0], DD_OK));
    Sprite sprite(&driver, 1, 15, 13);
    NiceMock<MockDisplayPlatform> gdi;
    ScopedDisplayPlatform withGdi(&gdi);
    GdiObject picture = fakeHandle<GdiObject>(0xB1);
    GdiBitmap record = {};
    record.width = 161;
    record.height = 15;
    ON_CALL(gdi, LoadImageA(_, _, _, _, _)).WillByDefault(Return(picture));
    ON_CALL(gdi, GetObjectA(_, _, _))
        .WillByDefault(DoAll(::testing::SetArgPointee<2>(record), Return(24)));
    ON_CALL(gdi, CreateCompatibleDC(_)).WillByDefault(Return(fakeHandle<DeviceContext>(0x3E)));
    Bitmap strip;
    ASSERT_TRUE(strip.Load("strip.bmp"));

    EXPECT_CALL(frames[0], GetDC(_)).WillOnce(Return(DD_OK));
    EXPECT_CALL(frames[0], ReleaseDC(_)).WillOnce(Return(DD_OK));
    EXPECT_CALL(gdi, BitBlt(_, 0, 0, 15, 13, _, 145, 1, SRCCOPY)).WillOnce(Return(true));
    EXPECT_TRUE(sprite.LoadFrame(&strip, 0, 145, 1));

    EXPECT_CALL(frames[0], Release()).WillOnce(Return(0));
}

TEST_F(SpriteTest, AFrameWithoutASurfaceStopsCreationAndNeverDraws) {
    // One repeat of a refused request, then the sprite gives up.
    EXPECT_CALL(dd, CreateSurface(_, _))
        .WillOnce(HandOut<1>(&frames[0], DD_OK))
        .WillOnce(Return(DDERR_OUTOFMEMORY))
        .WillOnce(Return(DDERR_OUTOFMEMORY));
    Sprite sprite;
    EXPECT_FALSE(sprite.Create(&driver, 3, 8, 8));
    EXPECT_EQ(sprite.frameCount(), 3);
    ASSERT_NE(sprite.frame(1), nullptr);
    EXPECT_EQ(sprite.frame(1)->platformSurface(), nullptr);
    EXPECT_EQ(sprite.frame(2), nullptr);
    EXPECT_FALSE(sprite.Draw(1, 0, 0, &backBuffer));
    EXPECT_FALSE(sprite.Draw(2, 0, 0, &backBuffer));

    // Keying stops at the frame without a surface.
    EXPECT_CALL(frames[0], GetDC(_)).WillOnce(Return(DDERR_CANTCREATEDC));
    EXPECT_CALL(frames[0], Lock(_, _, _, _)).WillOnce(Return(DDERR_GENERIC));
    EXPECT_CALL(frames[0], SetColorKey(_, _)).WillOnce(Return(DD_OK));
    EXPECT_FALSE(sprite.SetColourKey(0xFF00FF));

    EXPECT_CALL(frames[0], Release()).WillOnce(Return(0));
}

TEST_F(SpriteTest, ARefusedFrameRequestIsMadeOnceMore) {
    EXPECT_CALL(dd, CreateSurface(_, _))
        .WillOnce(Return(DDERR_OUTOFMEMORY))
        .WillOnce(HandOut<1>(&frames[0], DD_OK));
    SpriteFrame frame;
    EXPECT_TRUE(frame.Create(&driver, 8, 6));
    EXPECT_EQ(frame.width(), 8);
    EXPECT_EQ(frame.platformSurface(), &frames[0]);

    // Making it again starts from a clean surface with no key.
    EXPECT_CALL(frames[0], Release()).WillOnce(Return(0));
    EXPECT_CALL(dd, CreateSurface(_, _)).Times(2).WillRepeatedly(Return(DDERR_OUTOFMEMORY));
    EXPECT_FALSE(frame.Create(&driver, 8, 6));
    EXPECT_EQ(frame.platformSurface(), nullptr);
}

}  // namespace
