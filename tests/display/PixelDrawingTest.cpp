// Pixels drawn by the display classes on a real DirectDraw of either kind
// (see PixelBackend.h): colour keys, fills, bitmap copies, sprite frames and
// clipping at the screen's edges. Expected pixel values are worked out here
// from the channel layout, not asked of the platform.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>

#include "display/Bitmap.h"
#include "display/PixelBackend.h"
#include "display/Sprite.h"
#include "display/SpriteFrame.h"
#include "display/Surface.h"
#include "display/VideoDriver.h"

void PixelDrawing::SetUp() {
    backend_ = GetParam().make();
    ASSERT_TRUE(backend_ && backend_->start());
    back_ = backend_->backBuffer();
    ASSERT_NE(back_, nullptr);
    fillBack(grey());
}

void PixelDrawing::TearDown() {
    // Sprites and bitmaps of the test are gone by now.
    if (backend_) backend_->finish();
}

Pixels PixelDrawing::backPixels() const { return backend_->read(back_->platformSurface()); }

Pixels PixelDrawing::framePixels(const Sprite& sprite, int index) const {
    return backend_->read(sprite.frame(index)->platformSurface());
}

void PixelDrawing::fillBack(std::uint16_t value) { ASSERT_TRUE(back_->Fill(nullptr, value)); }

bool PixelDrawing::load(Bitmap& bitmap, PictureLayout layout, int width, int height,
                        const ColourAt& at) {
    const std::string path = files_.write("picture.bmp", layout, width, height, at);
    return !path.empty() && bitmap.Load(path.c_str());
}

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kRed = 0x0000FF;

int countDifferent(const Pixels& pixels, std::uint16_t from) {
    return static_cast<int>(std::count_if(pixels.values.begin(), pixels.values.end(),
                                          [from](std::uint16_t value) { return value != from; }));
}

// A colour for every (x, y) of a 161 x 14 strip, each channel a multiple of
// 8 so that every 16-bit layout keeps it whole.
std::uint32_t stripColour(int x, int y) {
    return static_cast<std::uint32_t>((x % 32) * 8 | (y * 8) << 8 | ((x / 32) * 8) << 16);
}

TEST_P(PixelDrawing, MagentaKeyMatchesTheBitmapCopyBitForBit) {
    const std::uint32_t nearMagenta = 0xF800F8;      // (F8, 00, F8): same 16-bit value
    const std::uint32_t notQuiteMagenta = 0xFF00F7;  // (F7, 00, FF): red loses a bit
    const std::uint32_t row[] = {kBlue, kMagenta, nearMagenta, notQuiteMagenta};
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 4, 1, [&](int x, int) { return row[x]; }));
    Sprite sprite(driver(), 1, 4, 1);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));
    ASSERT_TRUE(sprite.SetColourKey(kMagenta));
    EXPECT_EQ(sprite.frame(0)->keyValue(), key());
    // Matching the key drew magenta into the frame's top-left pixel; it is
    // blue again.
    EXPECT_EQ(framePixels(sprite, 0).at(0, 0), raw(kBlue));

    ASSERT_TRUE(sprite.Draw(0, 10, 20, back_));
    const Pixels back = backPixels();
    EXPECT_EQ(back.at(10, 20), raw(kBlue));
    EXPECT_EQ(back.at(11, 20), grey());
    EXPECT_EQ(back.at(12, 20), grey());
    EXPECT_EQ(back.at(13, 20), raw(notQuiteMagenta));
    EXPECT_NE(raw(notQuiteMagenta), key());
}

TEST_P(PixelDrawing, FillRectPaintsExactlyItsBlockAndLeavesTopLeftAlone) {
    const std::uint16_t corner = raw(0x4080C0);
    DdRect topLeft = {0, 0, 1, 1};
    ASSERT_TRUE(back_->Fill(&topLeft, corner));
    back_->FillRect(96, 296, 9, 9, kGreen);

    const std::uint16_t green = layout() == Layout16::Rgb565 ? 0x07E0 : 0x03E0;
    const Pixels back = backPixels();
    ASSERT_EQ(back.width, 800);
    ASSERT_EQ(back.height, 600);
    int count = 0, left = 800, right = -1, top = 600, bottom = -1;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (back.at(x, y) != green) continue;
            ++count;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_EQ(count, 81);
    EXPECT_EQ(left, 96);
    EXPECT_EQ(right, 104);
    EXPECT_EQ(top, 296);
    EXPECT_EQ(bottom, 304);
    EXPECT_EQ(back.at(0, 0), corner);
}

// Colours whose low bits a 16-bit layout cannot hold: a fill of the matched
// colour must land on the very value the picture copy writes, or a key would
// miss its own pixels.
TEST_P(PixelDrawing, MatchedColoursAreWhatPictureCopiesWrite) {
    const std::uint32_t colours[] = {0x070707, 0x7F3F1F, 0x0C0C0C, 0xFB04FC,
                                     0xFFFFFF, 0x818283, 0x3B7DF9, 0x01FE02};
    const int count = static_cast<int>(sizeof colours / sizeof colours[0]);
    Bitmap bitmap;
    ASSERT_TRUE(
        load(bitmap, PictureLayout::BottomUp24, count, 1, [&](int x, int) { return colours[x]; }));
    Sprite sprite(driver(), 1, count, 1);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));
    for (int x = 0; x < count; ++x) back_->FillRect(20 + x, 30, 1, 1, colours[x]);

    const Pixels copied = framePixels(sprite, 0);
    const Pixels filled = backPixels();
    for (int x = 0; x < count; ++x) {
        SCOPED_TRACE(colours[x]);
        EXPECT_EQ(copied.at(x, 0), raw(colours[x]));
        EXPECT_EQ(filled.at(20 + x, 30), copied.at(x, 0));
    }
}

TEST_P(PixelDrawing, KeyWithoutColourTakesTheTopLeftPixel) {
    const std::uint32_t row[] = {kBlue, kRed, kBlue};
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 3, 1, [&](int x, int) { return row[x]; }));
    Sprite sprite(driver(), 1, 3, 1);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));
    ASSERT_TRUE(sprite.SetColourKey(0xFFFFFFFF));
    EXPECT_EQ(sprite.frame(0)->keyValue(), raw(kBlue));
    ASSERT_TRUE(sprite.Draw(0, 0, 0, back_));
    const Pixels back = backPixels();
    EXPECT_EQ(back.at(0, 0), grey());
    EXPECT_EQ(back.at(1, 0), raw(kRed));
    EXPECT_EQ(back.at(2, 0), grey());
}

TEST_P(PixelDrawing, FramesAreCutFromTheirBlocks) {
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 161, 14, stripColour));

    Sprite block(driver(), 1, 15, 13);
    ASSERT_TRUE(block.LoadFrame(&bitmap, 0, 16, 1));
    const Pixels cut = framePixels(block, 0);
    ASSERT_EQ(cut.width, 15);
    ASSERT_EQ(cut.height, 13);
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 15; ++x) {
            ASSERT_EQ(cut.at(x, y), raw(stripColour(16 + x, 1 + y))) << x << "," << y;
        }
    }

    Sprite strip(driver(), 10, 15, 13);
    for (int k = 0; k < 10; ++k) ASSERT_TRUE(strip.LoadFrame(&bitmap, k, 16 * k + 1, 1));
    const Pixels last = framePixels(strip, 9);
    EXPECT_EQ(last.at(0, 0), raw(stripColour(145, 1)));
    EXPECT_EQ(last.at(14, 12), raw(stripColour(159, 13)));

    // A block reaching past the picture's right and bottom edges copies what
    // the picture has and leaves the rest of the frame as it was.
    const std::uint16_t before = raw(0x203040);
    ASSERT_TRUE(block.frame(0)->Fill(nullptr, before));
    ASSERT_TRUE(block.LoadFrame(&bitmap, 0, 150, 5));
    const Pixels edge = framePixels(block, 0);
    EXPECT_EQ(edge.at(10, 8), raw(stripColour(160, 13)));
    EXPECT_EQ(edge.at(11, 0), before);
    EXPECT_EQ(edge.at(0, 9), before);
}

TEST_P(PixelDrawing, SpritesAreClippedAtTheScreenEdges) {
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 25, 17, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 8 | (y * 8) << 8 | 0x400000);
    }));
    Sprite sprite(driver(), 1, 25, 17);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));

    ASSERT_TRUE(sprite.Draw(0, 790, 100, back_));
    Pixels back = backPixels();
    EXPECT_EQ(countDifferent(back, grey()), 10 * 17);
    EXPECT_EQ(back.at(799, 116), raw(9 * 8 | (16 * 8) << 8 | 0x400000));

    fillBack(grey());
    ASSERT_TRUE(sprite.Draw(0, 100, -5, back_));
    back = backPixels();
    EXPECT_EQ(countDifferent(back, grey()), 25 * 12);
    // The top five rows are the ones lost: row 0 shows the frame's row 5.
    EXPECT_EQ(back.at(100, 0), raw(0 | (5 * 8) << 8 | 0x400000));

    fillBack(grey());
    sprite.Draw(0, 800, 100, back_);
    sprite.Draw(0, 100, 600, back_);
    sprite.Draw(0, -25, -17, back_);
    EXPECT_EQ(countDifferent(backPixels(), grey()), 0);
}

// DirectDraw's own rules for surfaces without a clipper, which the sprite
// frames are: the software display must answer as the real one does.
TEST_P(PixelDrawing, UnclippedSurfacesFollowDirectDrawRectangleRules) {
    DdSurfaceDesc request = {};
    request.size = kSurfaceDescSize;
    request.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    request.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    request.width = request.height = 8;
    Surface dest, source;
    ASSERT_TRUE(driver()->CreateSurface(&request, dest.platformSurfaceSlot()));
    request.width = request.height = 2;
    ASSERT_TRUE(driver()->CreateSurface(&request, source.platformSurfaceSlot()));
    DdSurface* to = dest.platformSurface();
    DdSurface* from = source.platformSurface();
    ASSERT_TRUE(dest.Fill(nullptr, 0x1111));
    for (int i = 0; i < 4; ++i) {
        DdRect pixel = {i % 2, i / 2, i % 2 + 1, i / 2 + 1};
        ASSERT_TRUE(source.Fill(&pixel, 0x100u * (i + 1)));
    }

    // A rectangle reaching outside is refused whole, a fill of nothing too.
    DdRect overTheEdge = {7, 0, 9, 2};
    EXPECT_NE(to->Blt(&overTheEdge, from, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_FALSE(dest.Fill(&overTheEdge, 0x2222));
    DdRect empty = {3, 3, 3, 5};
    EXPECT_FALSE(dest.Fill(&empty, 0x2222));
    EXPECT_EQ(backend().read(to).at(7, 0), 0x1111);

    // Whole onto a larger rectangle repeats pixels.
    DdRect fourByFour = {0, 0, 4, 4};
    ASSERT_EQ(to->Blt(&fourByFour, from, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    Pixels pixels = backend().read(to);
    EXPECT_EQ(pixels.at(1, 1), 0x100);
    EXPECT_EQ(pixels.at(2, 1), 0x200);
    EXPECT_EQ(pixels.at(3, 3), 0x400);
    EXPECT_EQ(pixels.at(4, 0), 0x1111);

    // A surface blitted onto itself reads its picture as it was.
    DdRect left = {0, 0, 4, 1};
    DdRect right = {1, 0, 5, 1};
    ASSERT_EQ(to->Blt(&right, to, &left, DDBLT_WAIT, nullptr), DD_OK);
    pixels = backend().read(to);
    EXPECT_EQ(pixels.at(1, 0), 0x100);
    EXPECT_EQ(pixels.at(3, 0), 0x200);
    EXPECT_EQ(pixels.at(4, 0), 0x200);

    // A locked surface is busy until unlocked.
    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    ASSERT_EQ(to->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(to->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), static_cast<DdResult>(0x887601AE));
    EXPECT_EQ(to->Unlock(nullptr), DD_OK);
    dest.Destroy();
    source.Destroy();
}

TEST_P(PixelDrawing, AllKeyColourFrameIsInvisibleOnlyWhenKeyed) {
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::Palette8, 8, 8, [](int, int) { return kMagenta; }));
    Sprite plain(driver(), 1, 8, 8);
    Sprite keyed(driver(), 1, 8, 8);
    ASSERT_TRUE(plain.LoadFrame(&bitmap, 0, 0, 0));
    ASSERT_TRUE(keyed.LoadFrame(&bitmap, 0, 0, 0));
    ASSERT_TRUE(keyed.SetColourKey(kMagenta));

    const Pixels before = backPixels();
    ASSERT_TRUE(keyed.Draw(0, 40, 40, back_));
    EXPECT_TRUE(backPixels() == before);
    ASSERT_TRUE(plain.Draw(0, 40, 40, back_));
    const Pixels after = backPixels();
    EXPECT_EQ(after.at(40, 40), key());
    EXPECT_EQ(after.at(47, 47), key());

    // Frame indices outside the sprite draw nothing.
    fillBack(grey());
    EXPECT_FALSE(plain.Draw(-1, 0, 0, back_));
    EXPECT_FALSE(plain.Draw(1, 0, 0, back_));
    EXPECT_EQ(backPixels().at(0, 0), grey());
}

TEST_P(PixelDrawing, EveryPictureLayoutLoadsAsSeen) {
    auto colour = [](int x, int y) { return static_cast<std::uint32_t>(x * 32 | (y * 40) << 16); };
    const struct {
        PictureLayout layout;
        int bits;
        const char* name;
    } cases[] = {{PictureLayout::BottomUp24, 24, "24-bit bottom-up"},
                 {PictureLayout::TopDown24, 24, "24-bit top-down"},
                 {PictureLayout::Palette8, 8, "8-bit palette"},
                 {PictureLayout::Bits32, 32, "32-bit"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (const char* reason = backend().cannotLoad(c.layout)) {
            std::cout << "Not checked: " << c.name << " files. " << reason << "\n";
            continue;
        }
        Bitmap bitmap;
        ASSERT_TRUE(load(bitmap, c.layout, 7, 5, colour));
        EXPECT_EQ(bitmap.description().bitsPixel, c.bits);
        EXPECT_EQ(bitmap.description().width, 7);
        EXPECT_EQ(bitmap.description().height, 5);
        Sprite sprite(driver(), 1, 7, 5);
        ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));
        const Pixels frame = framePixels(sprite, 0);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                ASSERT_EQ(frame.at(x, y), raw(colour(x, y))) << x << "," << y;
            }
        }
    }

    Bitmap missing;
    EXPECT_FALSE(missing.Load(files_.pathOf("nowhere.bmp").c_str()));
    Sprite sprite(driver(), 1, 2, 2);
    // Black until a picture comes, whatever the new memory held.
    EXPECT_TRUE(framePixels(sprite, 0) == (Pixels{2, 2, {0, 0, 0, 0}}));
    ASSERT_TRUE(sprite.frame(0)->Fill(nullptr, grey()));
    EXPECT_FALSE(sprite.LoadFrame(&missing, 0, 0, 0));
    EXPECT_EQ(framePixels(sprite, 0).at(1, 1), grey());
}

}  // namespace
