#include <gtest/gtest.h>

#include <cstring>

#include "display/ColourMatch.h"
#include "display/Surface.h"
#include "support/MockDisplay.h"

using namespace ::testing;

namespace {

const DeviceContext kDc = fakeHandle<DeviceContext>(0xDC);
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kBlue = 0xFF0000;

class ColourMatchTest : public MockDisplayTest<> {
protected:
    // The surface memory as a lock shows it: pixel (0, 0) first, then
    // whatever follows it, at the given bits per pixel.
    void memoryHolds(std::uint32_t word, std::uint32_t bitsPerPixel) {
        std::memcpy(memory, &word, sizeof word);
        bits = bitsPerPixel;
    }
    auto lockGrants() {
        return Invoke([this](const DdRect*, DdSurfaceDesc* desc, std::uint32_t, void*) {
            desc->surface = memory;
            desc->pixelFormat.rgbBitCount = bits;
            return DD_OK;
        });
    }
    void expectLock(DdResult result) {
        auto whole = Pointee(Field(&DdSurfaceDesc::size, 108u));
        if (result == DD_OK) {
            EXPECT_CALL(surface, Lock(nullptr, whole, DDLOCK_WAIT, nullptr)).WillOnce(lockGrants());
            EXPECT_CALL(surface, Unlock(nullptr)).WillOnce(Return(DD_OK));
        } else {
            EXPECT_CALL(surface, Lock(nullptr, whole, DDLOCK_WAIT, nullptr))
                .WillOnce(Return(result));
        }
    }

    StrictMock<MockDdSurface> surface;
    HeldSurface held{&surface};
    unsigned char memory[8] = {};
    std::uint32_t bits = 16;
};

TEST_F(ColourMatchTest, KeyIsDrawnReadBackAndPixelZeroRestored) {
    memoryHolds(0xABCDF81F, 16);
    {
        InSequence order;
        EXPECT_CALL(surface, GetDC(_)).WillOnce(DoAll(SetArgPointee<0>(kDc), Return(DD_OK)));
        EXPECT_CALL(platform, GetPixel(kDc, 0, 0)).WillOnce(Return(kBlue));
        EXPECT_CALL(platform, SetPixel(kDc, 0, 0, kMagenta)).WillOnce(Return(kMagenta));
        EXPECT_CALL(surface, ReleaseDC(kDc)).WillOnce(Return(DD_OK));
        expectLock(DD_OK);
        EXPECT_CALL(surface, GetDC(_)).WillOnce(DoAll(SetArgPointee<0>(kDc), Return(DD_OK)));
        EXPECT_CALL(platform, SetPixel(kDc, 0, 0, kBlue)).WillOnce(Return(kBlue));
        EXPECT_CALL(surface, ReleaseDC(kDc)).WillOnce(Return(DD_OK));
        auto single = Pointee(
            AllOf(Field(&DdColorKey::lowValue, 0xF81Fu), Field(&DdColorKey::highValue, 0xF81Fu)));
        EXPECT_CALL(surface, SetColorKey(DDCKEY_SRCBLT, single)).WillOnce(Return(DD_OK));
    }
    EXPECT_TRUE(held.SetColourKey(kMagenta));
    EXPECT_EQ(held.keyValue(), 0xF81Fu);
    EXPECT_TRUE(held.hasKey());
}

TEST_F(ColourMatchTest, NoColourOrNoDeviceContextReadsThePixelAsItIs) {
    // Without a colour nothing is drawn; the value is the top-left pixel.
    memoryHolds(0x12345678, 32);
    expectLock(DD_OK);
    std::uint32_t value = 0;
    EXPECT_TRUE(MatchColour(&surface, kNoColour, &value));
    EXPECT_EQ(value, 0x12345678u);

    // Without a device context nothing is written nor restored.
    memoryHolds(0x00007C1F, 15);
    EXPECT_CALL(surface, GetDC(_)).WillOnce(Return(DDERR_CANTCREATEDC));
    expectLock(DD_OK);
    EXPECT_TRUE(MatchColour(&surface, kMagenta, &value));
    EXPECT_EQ(value, 0x7C1Fu);
}

TEST_F(ColourMatchTest, UnreadableSurfaceKeepsTheOldKeyAndARefusedKeyIsDropped) {
    EXPECT_CALL(surface, GetDC(_)).WillRepeatedly(Return(DDERR_CANTCREATEDC));
    memoryHolds(0x7C1F, 16);
    expectLock(DD_OK);
    EXPECT_CALL(surface, SetColorKey(DDCKEY_SRCBLT, _)).WillOnce(Return(DD_OK));
    ASSERT_TRUE(held.SetColourKey(kMagenta));

    expectLock(DDERR_SURFACELOST);
    auto previous = Pointee(Field(&DdColorKey::lowValue, 0x7C1Fu));
    EXPECT_CALL(surface, SetColorKey(DDCKEY_SRCBLT, previous)).WillOnce(Return(DDERR_GENERIC));
    EXPECT_FALSE(held.SetColourKey(kBlue));
    EXPECT_EQ(held.keyValue(), 0x7C1Fu);
    EXPECT_FALSE(held.hasKey());
}

TEST_F(ColourMatchTest, FillRectPaintsTheMatchedColourOrNothing) {
    EXPECT_CALL(surface, GetDC(_)).WillRepeatedly(Return(DDERR_CANTCREATEDC));
    memoryHolds(0x07E0, 16);
    expectLock(DD_OK);
    auto block = Pointee(AllOf(Field(&DdRect::left, 96), Field(&DdRect::top, 296),
                               Field(&DdRect::right, 105), Field(&DdRect::bottom, 305)));
    auto green = Pointee(AllOf(Field(&DdBltFx::size, 100u), Field(&DdBltFx::fillColor, 0x07E0u)));
    EXPECT_CALL(surface, Blt(block, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, green))
        .WillOnce(Return(DD_OK));
    held.FillRect(96, 296, 9, 9, 0x00FF00);

    // No readable pixel, no fill value: the area is left alone.
    expectLock(DDERR_SURFACELOST);
    held.FillRect(96, 296, 9, 9, 0x00FF00);
}

}  // namespace
