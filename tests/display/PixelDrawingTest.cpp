// Pixels drawn by the display classes on the software display, in both
// 16-bit layouts: colour keys, fills, bitmap copies, sprite frames, clipping
// at the screen's edges, flips and lost surfaces. Expected pixel values are
// worked out here from the channel layout, not asked of SDL.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/BackBuffer.h"
#include "display/Bitmap.h"
#include "display/DisplayDevice.h"
#include "display/PictureFileWriter.h"
#include "display/PrimarySurface.h"
#include "display/Sprite.h"
#include "display/SpriteFrame.h"
#include "display/VideoDriver.h"
#include "platform/sdl/software/SoftwareDisplay.h"

namespace {

WindowHandle const kWindow = reinterpret_cast<WindowHandle>(0x1000);
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kRed = 0x0000FF;

std::uint16_t expectedRaw(PixelLayout layout, std::uint32_t rgb) {
    const std::uint32_t r = rgb & 0xFF, g = rgb >> 8 & 0xFF, b = rgb >> 16 & 0xFF;
    if (layout == PixelLayout::Rgb565) return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
}

std::uint16_t pixelAt(const SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<const std::uint16_t*>(
        static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch)[x];
}

// Every pixel of the surface, row by row.
std::vector<std::uint16_t> snapshot(const SDL_Surface* surface) {
    std::vector<std::uint16_t> pixels;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) pixels.push_back(pixelAt(surface, x, y));
    }
    return pixels;
}

// Records what the display asks of its presenter, in order.
class RecordingPresenter : public FramePresenter {
public:
    bool attachWindow(WindowHandle window) override {
        window_ = window;
        return true;
    }
    void present(SDL_Surface* visible) override {
        calls_ += "present ";
        shown_ = visible;
    }
    void waitForVerticalBlank() override { calls_ += "wait "; }

    WindowHandle window_ = nullptr;
    std::string calls_;
    SDL_Surface* shown_ = nullptr;
};

class PixelDrawing : public ::testing::TestWithParam<PixelLayout> {
protected:
    void SetUp() override {
        platform_ = std::make_unique<SoftwareDisplay>(GetParam());
        platform_->setPresenter(&presenter_);
        installDisplayPlatform(platform_.get());
        display_ = std::make_unique<DisplayDevice>();
        ASSERT_TRUE(display_->Create(kWindow, 800, 600, 16));
        back_ = display_->backBuffer();
        fillBack(grey());
    }
    void TearDown() override {
        display_.reset();
        // Sprites and bitmaps of the test are gone by now: nothing may remain.
        EXPECT_EQ(platform_->liveObjects(), 0);
        installDisplayPlatform(nullptr);
    }

    std::uint16_t raw(std::uint32_t rgb) const { return expectedRaw(GetParam(), rgb); }
    std::uint16_t grey() const { return raw(0x808080); }
    std::uint16_t key() const { return GetParam() == PixelLayout::Rgb565 ? 0xF81F : 0x7C1F; }
    VideoDriver* driver() const { return display_->driver(); }
    SDL_Surface* backPixels() const { return platform_->sdlSurface(back_->platformSurface()); }
    SDL_Surface* framePixels(Sprite& sprite, int index) const {
        return platform_->sdlSurface(sprite.frame(index)->platformSurface());
    }
    void fillBack(std::uint16_t value) { ASSERT_TRUE(back_->Fill(nullptr, value)); }

    // A picture file in `layout`, loaded.
    bool load(Bitmap& bitmap, PictureLayout layout, int width, int height, const ColourAt& at) {
        const std::string path = files_.write("picture.bmp", layout, width, height, at);
        return !path.empty() && bitmap.Load(path.c_str());
    }

    std::unique_ptr<SoftwareDisplay> platform_;
    RecordingPresenter presenter_;
    std::unique_ptr<DisplayDevice> display_;
    BackBuffer* back_ = nullptr;
    PictureDirectory files_;
};

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
    ASSERT_TRUE(
        load(bitmap, PictureLayout::BottomUp24, 4, 1, [&](int x, int) { return row[x]; }));
    Sprite sprite(driver(), 1, 4, 1);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));
    ASSERT_TRUE(sprite.SetColourKey(kMagenta));
    EXPECT_EQ(sprite.frame(0)->keyValue(), key());
    // Matching the key drew magenta into the frame's top-left pixel; it is
    // blue again.
    EXPECT_EQ(pixelAt(framePixels(sprite, 0), 0, 0), raw(kBlue));

    ASSERT_TRUE(sprite.Draw(0, 10, 20, back_));
    EXPECT_EQ(pixelAt(backPixels(), 10, 20), raw(kBlue));
    EXPECT_EQ(pixelAt(backPixels(), 11, 20), grey());
    EXPECT_EQ(pixelAt(backPixels(), 12, 20), grey());
    EXPECT_EQ(pixelAt(backPixels(), 13, 20), raw(notQuiteMagenta));
    EXPECT_NE(raw(notQuiteMagenta), key());
}

TEST_P(PixelDrawing, FillRectPaintsExactlyItsBlockAndLeavesTopLeftAlone) {
    const std::uint16_t corner = raw(0x4080C0);
    DdRect topLeft = {0, 0, 1, 1};
    ASSERT_TRUE(back_->Fill(&topLeft, corner));
    back_->FillRect(96, 296, 9, 9, kGreen);

    const std::uint16_t green = GetParam() == PixelLayout::Rgb565 ? 0x07E0 : 0x03E0;
    int count = 0, left = 800, right = -1, top = 600, bottom = -1;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (pixelAt(backPixels(), x, y) != green) continue;
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
    EXPECT_EQ(pixelAt(backPixels(), 0, 0), corner);
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
    EXPECT_EQ(pixelAt(backPixels(), 0, 0), grey());
    EXPECT_EQ(pixelAt(backPixels(), 1, 0), raw(kRed));
    EXPECT_EQ(pixelAt(backPixels(), 2, 0), grey());
}

TEST_P(PixelDrawing, FramesAreCutFromTheirBlocks) {
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 161, 14, stripColour));

    Sprite block(driver(), 1, 15, 13);
    ASSERT_TRUE(block.LoadFrame(&bitmap, 0, 16, 1));
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 15; ++x) {
            ASSERT_EQ(pixelAt(framePixels(block, 0), x, y), raw(stripColour(16 + x, 1 + y)))
                << x << "," << y;
        }
    }

    Sprite strip(driver(), 10, 15, 13);
    for (int k = 0; k < 10; ++k) ASSERT_TRUE(strip.LoadFrame(&bitmap, k, 16 * k + 1, 1));
    EXPECT_EQ(pixelAt(framePixels(strip, 9), 0, 0), raw(stripColour(145, 1)));
    EXPECT_EQ(pixelAt(framePixels(strip, 9), 14, 12), raw(stripColour(159, 13)));

    // A block reaching past the picture's right and bottom edges copies what
    // the picture has and leaves the rest of the frame as it was.
    const std::uint16_t before = raw(0x203040);
    ASSERT_TRUE(block.frame(0)->Fill(nullptr, before));
    ASSERT_TRUE(block.LoadFrame(&bitmap, 0, 150, 5));
    SDL_Surface* frame = framePixels(block, 0);
    EXPECT_EQ(pixelAt(frame, 10, 8), raw(stripColour(160, 13)));
    EXPECT_EQ(pixelAt(frame, 11, 0), before);
    EXPECT_EQ(pixelAt(frame, 0, 9), before);
}

TEST_P(PixelDrawing, SpritesAreClippedAtTheScreenEdges) {
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 25, 17, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 8 | (y * 8) << 8 | 0x400000);
    }));
    Sprite sprite(driver(), 1, 25, 17);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));
    auto painted = [&] {
        int count = 0;
        for (std::uint16_t pixel : snapshot(backPixels())) count += pixel != grey();
        return count;
    };

    ASSERT_TRUE(sprite.Draw(0, 790, 100, back_));
    EXPECT_EQ(painted(), 10 * 17);
    EXPECT_EQ(pixelAt(backPixels(), 799, 116), raw(9 * 8 | (16 * 8) << 8 | 0x400000));

    fillBack(grey());
    ASSERT_TRUE(sprite.Draw(0, 100, -5, back_));
    EXPECT_EQ(painted(), 25 * 12);
    // The top five rows are the ones lost: row 0 shows the frame's row 5.
    EXPECT_EQ(pixelAt(backPixels(), 100, 0), raw(0 | (5 * 8) << 8 | 0x400000));

    fillBack(grey());
    sprite.Draw(0, 800, 100, back_);
    sprite.Draw(0, 100, 600, back_);
    sprite.Draw(0, -25, -17, back_);
    EXPECT_EQ(painted(), 0);
}

TEST_P(PixelDrawing, AllKeyColourFrameIsInvisibleOnlyWhenKeyed) {
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::Palette8, 8, 8, [](int, int) { return kMagenta; }));
    Sprite plain(driver(), 1, 8, 8);
    Sprite keyed(driver(), 1, 8, 8);
    ASSERT_TRUE(plain.LoadFrame(&bitmap, 0, 0, 0));
    ASSERT_TRUE(keyed.LoadFrame(&bitmap, 0, 0, 0));
    ASSERT_TRUE(keyed.SetColourKey(kMagenta));

    const std::vector<std::uint16_t> before = snapshot(backPixels());
    ASSERT_TRUE(keyed.Draw(0, 40, 40, back_));
    EXPECT_EQ(snapshot(backPixels()), before);
    ASSERT_TRUE(plain.Draw(0, 40, 40, back_));
    EXPECT_EQ(pixelAt(backPixels(), 40, 40), key());
    EXPECT_EQ(pixelAt(backPixels(), 47, 47), key());

    // Frame indices outside the sprite draw nothing.
    fillBack(grey());
    EXPECT_FALSE(plain.Draw(-1, 0, 0, back_));
    EXPECT_FALSE(plain.Draw(1, 0, 0, back_));
    EXPECT_EQ(pixelAt(backPixels(), 0, 0), grey());
}

TEST_P(PixelDrawing, EveryPictureLayoutLoadsAsSeen) {
    auto colour = [](int x, int y) { return static_cast<std::uint32_t>(x * 32 | (y * 40) << 16); };
    const struct {
        PictureLayout layout;
        int bits;
    } cases[] = {{PictureLayout::BottomUp24, 24},
                 {PictureLayout::TopDown24, 24},
                 {PictureLayout::Palette8, 8},
                 {PictureLayout::Bits32, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        Bitmap bitmap;
        ASSERT_TRUE(load(bitmap, c.layout, 7, 5, colour));
        EXPECT_EQ(bitmap.description().bitsPixel, c.bits);
        EXPECT_EQ(bitmap.description().width, 7);
        EXPECT_EQ(bitmap.description().height, 5);
        Sprite sprite(driver(), 1, 7, 5);
        ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                ASSERT_EQ(pixelAt(framePixels(sprite, 0), x, y), raw(colour(x, y)))
                    << x << "," << y;
            }
        }
    }

    Bitmap missing;
    EXPECT_FALSE(missing.Load(files_.pathOf("nowhere.bmp").c_str()));
    Sprite sprite(driver(), 1, 2, 2);
    ASSERT_TRUE(sprite.frame(0)->Fill(nullptr, grey()));
    EXPECT_FALSE(sprite.LoadFrame(&missing, 0, 0, 0));
    EXPECT_EQ(pixelAt(framePixels(sprite, 0), 1, 1), grey());
}

TEST_P(PixelDrawing, FlipShowsTheFrameAndHandsTheOldOneBack) {
    EXPECT_EQ(presenter_.window_, kWindow);
    SDL_Surface* drawn = backPixels();
    fillBack(raw(kRed));
    ASSERT_TRUE(display_->primary()->Flip(driver()));
    EXPECT_EQ(presenter_.calls_, "wait present ");
    EXPECT_EQ(presenter_.shown_, drawn);
    EXPECT_EQ(platform_->frontBuffer(), drawn);
    EXPECT_NE(backPixels(), drawn);
    EXPECT_EQ(platform_->backBuffer(), backPixels());
    EXPECT_NE(pixelAt(backPixels(), 0, 0), raw(kRed));
}

TEST_P(PixelDrawing, BlitRestoresLostSurfacesButNotTheirPictures) {
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 4, 4, [](int, int) { return kRed; }));
    Sprite sprite(driver(), 1, 4, 4);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));

    platform_->loseAllSurfaces();
    DdSurface* back = back_->platformSurface();
    DdBltFx fx = {kBltFxSize, 0};
    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    DeviceContext dc = nullptr;
    EXPECT_EQ(back->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACELOST);
    EXPECT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(back->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(display_->primary()->platformSurface()->Flip(nullptr, DDFLIP_WAIT),
              DDERR_SURFACELOST);

    ASSERT_TRUE(sprite.Draw(0, 0, 0, back_));
    EXPECT_EQ(back->IsLost(), DD_OK);
    EXPECT_EQ(sprite.frame(0)->platformSurface()->IsLost(), DD_OK);
    int red = 0;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) red += pixelAt(backPixels(), x, y) == raw(kRed);
    }
    EXPECT_LT(red, 16);
}

std::string layoutName(const ::testing::TestParamInfo<PixelLayout>& info) {
    return info.param == PixelLayout::Rgb565 ? "Rgb565" : "Rgb555";
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, PixelDrawing,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555), layoutName);

}  // namespace
