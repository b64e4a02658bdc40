#include <gtest/gtest.h>

#include "display/Bitmap.h"
#include "support/MockDisplay.h"

using namespace ::testing;

namespace {

const GdiObject kPicture = fakeHandle<GdiObject>(0xB1);
const GdiObject kOldPicture = fakeHandle<GdiObject>(0xB0);
const GdiObject kStock = fakeHandle<GdiObject>(0x57);
const DeviceContext kSurfaceDc = fakeHandle<DeviceContext>(0xDC);
const DeviceContext kMemoryDc = fakeHandle<DeviceContext>(0x3E);

class BitmapTest : public MockDisplayTest<> {
protected:
    // Loads a picture of the given size; GetObjectA answers `filled` bytes.
    bool load(GdiObject handle, int filled, int width = 200, int height = 20) {
        GdiBitmap record = {};
        record.width = width;
        record.height = height;
        record.bitsPixel = 24;
        EXPECT_CALL(platform, LoadImageA(StrEq("pic.bmp"), IMAGE_BITMAP, 0, 0, 0x2050u))
            .WillOnce(Return(handle));
        if (handle) {
            EXPECT_CALL(platform, GetObjectA(handle, 24, _))
                .WillOnce(DoAll(SetArgPointee<2>(record), Return(filled)));
        }
        return bitmap.Load("pic.bmp");
    }
    // The copy through a memory context, with the BitBlt that is expected.
    void expectCopy(int x, int y, int width, int height, int sourceX, int sourceY) {
        InSequence order;
        EXPECT_CALL(surface, GetDC(_)).WillOnce(DoAll(SetArgPointee<0>(kSurfaceDc), Return(DD_OK)));
        EXPECT_CALL(platform, CreateCompatibleDC(kSurfaceDc)).WillOnce(Return(kMemoryDc));
        EXPECT_CALL(platform, SelectObject(kMemoryDc, kPicture)).WillOnce(Return(kStock));
        if (width > 0) {
            EXPECT_CALL(platform, BitBlt(kSurfaceDc, x, y, width, height, kMemoryDc, sourceX,
                                         sourceY, SRCCOPY))
                .WillOnce(Return(false));
        }
        EXPECT_CALL(platform, SelectObject(kMemoryDc, kStock)).WillOnce(Return(kPicture));
        EXPECT_CALL(platform, DeleteDC(kMemoryDc)).WillOnce(Return(true));
        EXPECT_CALL(surface, ReleaseDC(kSurfaceDc)).WillOnce(Return(DD_OK));
    }
    void TearDown() override {
        if (bitmap.isLoaded()) EXPECT_CALL(platform, DeleteObject(kPicture)).WillOnce(Return(true));
        bitmap.Unload();
    }

    StrictMock<MockDdSurface> surface;
    Bitmap bitmap;
};

TEST_F(BitmapTest, LoadFailuresLeaveTheBitmapEmpty) {
    EXPECT_FALSE(load(nullptr, 0));
    EXPECT_FALSE(bitmap.isLoaded());

    // A handle that is not a bitmap record, or claims a larger one, is given back.
    for (int filled : {0, 25}) {
        EXPECT_CALL(platform, DeleteObject(kPicture)).WillOnce(Return(true));
        EXPECT_FALSE(load(kPicture, filled)) << filled;
        EXPECT_FALSE(bitmap.isLoaded());
        EXPECT_EQ(bitmap.description().width, 0);
    }
    EXPECT_FALSE(bitmap.Load(nullptr));
    EXPECT_FALSE(bitmap.CopyToSurface(&surface, 0, 0, 4, 4));
}

TEST_F(BitmapTest, LoadingOverAPictureFreesItFirst) {
    ASSERT_TRUE(load(kOldPicture, 24));
    EXPECT_EQ(bitmap.description().width, 200);
    {
        InSequence order;
        EXPECT_CALL(platform, DeleteObject(kOldPicture)).WillOnce(Return(true));
        EXPECT_TRUE(load(kPicture, 24));
    }
}

TEST_F(BitmapTest, BlockIsCopiedToTheSurfaceCorner) {
    ASSERT_TRUE(load(kPicture, 24));
    expectCopy(0, 0, 15, 13, 16, 1);
    EXPECT_TRUE(bitmap.CopyToSurface(&surface, 16, 1, 15, 13));
}

TEST_F(BitmapTest, BlockReachingPastThePictureCopiesOnlyItsInside) {
    ASSERT_TRUE(load(kPicture, 24, 20, -10));  // bottom-up rows report a negative height
    expectCopy(0, 0, 4, 9, 16, 1);
    EXPECT_TRUE(bitmap.CopyToSurface(&surface, 16, 1, 15, 13));
    expectCopy(2, 3, 3, 2, 0, 0);
    EXPECT_TRUE(bitmap.CopyToSurface(&surface, -2, -3, 5, 5));
    expectCopy(0, 0, 0, 0, 0, 0);  // wholly outside: nothing to copy
    EXPECT_TRUE(bitmap.CopyToSurface(&surface, 20, 0, 5, 5));
}

TEST_F(BitmapTest, CopyFailuresStillGiveTheContextBack) {
    ASSERT_TRUE(load(kPicture, 24));
    EXPECT_CALL(surface, GetDC(_)).WillOnce(Return(DDERR_SURFACELOST));
    EXPECT_FALSE(bitmap.CopyToSurface(&surface, 0, 0, 4, 4));

    InSequence order;
    EXPECT_CALL(surface, GetDC(_)).WillOnce(DoAll(SetArgPointee<0>(kSurfaceDc), Return(DD_OK)));
    EXPECT_CALL(platform, CreateCompatibleDC(kSurfaceDc)).WillOnce(Return(nullptr));
    EXPECT_CALL(surface, ReleaseDC(kSurfaceDc)).WillOnce(Return(DD_OK));
    EXPECT_FALSE(bitmap.CopyToSurface(&surface, 0, 0, 4, 4));
}

}  // namespace
