// Frames drawn straight into a 32-bit window surface: every RGB565 value
// widened exactly, and pictures letterboxed at sizes that are not whole
// multiples of the frame, or scaled by whole numbers only, with bars that
// stay black.

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/sdl/display/LetterboxScaler.h"

namespace {

std::uint16_t& frameAt(SDL_Surface* frame, int x, int y) {
    return reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(frame->pixels) +
                                            y * frame->pitch)[x];
}

Uint32 shownAt(const SDL_Surface* target, int x, int y) {
    return reinterpret_cast<const Uint32*>(static_cast<const std::uint8_t*>(target->pixels) +
                                           y * target->pitch)[x];
}

// What a 565 pixel must look like: each channel's bits repeated down to 8.
Uint32 expectedOf(std::uint16_t pixel) {
    const Uint32 r = pixel >> 11, g = (pixel >> 5) & 0x3F, b = pixel & 0x1F;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

struct Surfaces {
    Surfaces(int frameWidth, int frameHeight, int width, int height, Uint32 format) {
        frame =
            SDL_CreateRGBSurfaceWithFormat(0, frameWidth, frameHeight, 16, SDL_PIXELFORMAT_RGB565);
        target = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
    }
    ~Surfaces() {
        SDL_FreeSurface(frame);
        SDL_FreeSurface(target);
    }
    SDL_Surface* frame;
    SDL_Surface* target;
};

TEST(LetterboxScaler, WidensEveryPixelValueExactly) {
    // 65536 values in a 256 x 256 frame shown one to one; odd row lengths
    // would leave a tail, so one frame is also 251 wide. In the window's
    // layout and in the browser canvas's, with red in the low byte.
    for (const Uint32 format : {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_BGR888}) {
        for (const int width : {256, 251}) {
            Surfaces s(width, 256, width, 256, format);
            ASSERT_TRUE(s.frame && s.target);
            for (int y = 0; y < 256; ++y) {
                for (int x = 0; x < width; ++x) frameAt(s.frame, x, y) = (y << 8 | x) & 0xFFFF;
            }
            LetterboxScaler scaler;
            scaler.draw(s.frame, s.target);
            int wrong = 0;
            for (int y = 0; y < 256; ++y) {
                for (int x = 0; x < width; ++x) {
                    Uint8 r = 0, g = 0, b = 0;
                    SDL_GetRGB(shownAt(s.target, x, y), s.target->format, &r, &g, &b);
                    const Uint32 shown = Uint32{r} << 16 | Uint32{g} << 8 | b;
                    wrong += shown != expectedOf(frameAt(s.frame, x, y)) ? 1 : 0;
                }
            }
            EXPECT_EQ(wrong, 0) << SDL_GetPixelFormatName(format) << ", width " << width;
        }
    }
}

TEST(LetterboxScaler, ScalesToTheLargestFitNearestNeighbourBetweenBlackBars) {
    // An 8 x 6 frame whose pixels all differ, in windows of other shapes.
    const struct {
        int width, height;
        SDL_Rect area;
        bool wholeNumbers;
    } cases[] = {{10, 6, {1, 0, 8, 6}, false},     // bars left and right, unscaled
                 {16, 15, {0, 1, 16, 12}, false},  // bars above and below, twice
                 {13, 9, {0, 0, 12, 9}, false},  // one and a half: rows and columns repeat unevenly
                 {13, 10, {0, 0, 13, 9}, false},  // not a whole number of pixels across
                 {13, 10, {2, 2, 8, 6}, true},    // whole numbers: once, bars all round
                 {35, 19, {5, 0, 24, 18}, true},  // three times, the width alone allowing four
                 {7, 9, {0, 2, 7, 5}, true}};     // smaller than the frame: shrunk to fit
    for (const auto& c : cases) {
        Surfaces s(8, 6, c.width, c.height, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_TRUE(s.frame && s.target);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x)
                frameAt(s.frame, x, y) = static_cast<std::uint16_t>(0x0841 * (y * 8 + x + 1));
        }
        SDL_FillRect(s.target, nullptr, 0xFF123456);
        LetterboxScaler scaler;
        scaler.setIntegerScale(c.wholeNumbers);
        scaler.draw(s.frame, s.target);
        const SDL_Rect& area = scaler.area();
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " " << c.wholeNumbers);
        EXPECT_EQ(area.x, c.area.x);
        EXPECT_EQ(area.y, c.area.y);
        EXPECT_EQ(area.w, c.area.w);
        EXPECT_EQ(area.h, c.area.h);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const bool inside =
                    x >= area.x && x < area.x + area.w && y >= area.y && y < area.y + area.h;
                Uint32 expected = 0;
                if (inside) {
                    const int sx = (x - area.x) * 8 / area.w, sy = (y - area.y) * 6 / area.h;
                    expected = expectedOf(frameAt(s.frame, sx, sy));
                }
                ASSERT_EQ(shownAt(s.target, x, y) & 0xFFFFFF, expected) << x << "," << y;
            }
        }
    }
}

}  // namespace
