// Every picture file, loaded the way the game loads it (Bitmap and Sprite on
// the software display), in both 16-bit layouts: each frame block is there,
// shows the picture, and is transparent exactly where the file is magenta.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "GameCuts.h"
#include "PictureFile.h"
#include "display/Bitmap.h"
#include "display/DisplayPlatform.h"
#include "display/Sprite.h"
#include "display/SpriteFrame.h"
#include "display/VideoDriver.h"
#include "platform/sdl/software/SoftwareDisplay.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

std::uint32_t rawPixel(SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const std::uint16_t*>(row)[x];
}

std::uint32_t mapRgb(const SDL_PixelFormat* format, std::uint32_t rgb) {
    return SDL_MapRGB(format, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The game's display objects on the software platform.
class GameLoader {
public:
    explicit GameLoader(PixelLayout layout) : display_(layout) {
        installDisplayPlatform(&display_);
        ready_ = driver_.Create(nullptr);
    }
    ~GameLoader() {
        driver_.Release();
        installDisplayPlatform(nullptr);
    }

    bool ready() const { return ready_; }
    SoftwareDisplay& display() { return display_; }

    // Loads the picture and cuts its frames as the game does; null when any
    // step fails.
    std::unique_ptr<Sprite> cut(const GameCut& cut) {
        if (!bitmap_.Load(picturePath(cut.file).c_str())) return nullptr;
        auto sprite = std::make_unique<Sprite>();
        if (!sprite->Create(&driver_, cut.frames, cut.width, cut.height)) return nullptr;
        for (int i = 0; i < cut.frames; ++i) {
            if (!sprite->LoadFrame(&bitmap_, i, cut.sourceX + cut.pitch * i, cut.sourceY)) {
                return nullptr;
            }
        }
        if (cut.keyed && !sprite->SetColourKey(kMagenta)) return nullptr;
        return sprite;
    }

    SDL_Surface* pixels(const Sprite& sprite, int frame) {
        return display_.sdlSurface(sprite.frame(frame)->platformSurface());
    }

private:
    SoftwareDisplay display_;
    VideoDriver driver_;
    Bitmap bitmap_;
    bool ready_ = false;
};

class PictureFileTest : public testing::TestWithParam<std::tuple<PixelLayout, GameCut>> {};

TEST_P(PictureFileTest, FramesShowThePictureWithOnlyMagentaTransparent) {
    const PixelLayout layout = std::get<0>(GetParam());
    const GameCut& cut = std::get<1>(GetParam());

    DecodedPicture file;
    ASSERT_TRUE(decodePicture(picturePath(cut.file), &file)) << SDL_GetError();
    ASSERT_GE(file.width, cut.sourceX + cut.pitch * (cut.frames - 1) + cut.width);
    ASSERT_GE(file.height, cut.sourceY + cut.height);

    GameLoader loader(layout);
    ASSERT_TRUE(loader.ready());
    std::unique_ptr<Sprite> sprite = loader.cut(cut);
    ASSERT_NE(sprite, nullptr);
    const SDL_PixelFormat* format = loader.display().pixelFormat();
    const std::uint32_t magentaRaw = mapRgb(format, kMagenta);

    for (int i = 0; i < cut.frames; ++i) {
        SDL_Surface* frame = loader.pixels(*sprite, i);
        ASSERT_NE(frame, nullptr);
        ASSERT_EQ(frame->w, cut.width);
        ASSERT_EQ(frame->h, cut.height);
        const std::uint32_t key = sprite->frame(i)->keyValue();
        int visible = 0;
        int wrong = 0;
        std::ostringstream first;
        for (int y = 0; y < cut.height; ++y) {
            for (int x = 0; x < cut.width; ++x) {
                const int fx = cut.sourceX + cut.pitch * i + x;
                const int fy = cut.sourceY + y;
                const std::uint32_t painted = file.at(fx, fy);
                const std::uint32_t raw = rawPixel(frame, x, y);
                const bool meantClear = cut.keyed && painted == kMagenta;
                // Keyed frames hide exactly the key value; opaque ones show
                // every pixel, so none may look like the key colour either.
                const bool shownClear = cut.keyed ? raw == key : raw == magentaRaw;
                if (raw != mapRgb(format, painted) || meantClear != shownClear) {
                    if (wrong++ == 0) {
                        first << "picture (" << fx << ", " << fy << ") #" << std::hex << painted
                              << " shows as raw 0x" << raw;
                    }
                }
                if (!shownClear) ++visible;
            }
        }
        EXPECT_EQ(wrong, 0) << cut.file << " frame " << i << ": first at " << first.str();
        EXPECT_GT(visible, 0) << cut.file << " frame " << i << " shows nothing";
    }
}

std::string cutName(const testing::TestParamInfo<PictureFileTest::ParamType>& info) {
    std::string name = std::get<1>(info.param).file;
    name = name.substr(0, name.find('.'));
    return name + (std::get<0>(info.param) == PixelLayout::Rgb565 ? "_565" : "_555");
}

INSTANTIATE_TEST_SUITE_P(AllPictures, PictureFileTest,
                         testing::Combine(testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555),
                                          testing::ValuesIn(kGameCuts)),
                         cutName);

// The frames of one picture as the game shows them, raw.
std::vector<std::vector<std::uint32_t>> loadFrames(GameLoader& loader, const GameCut& cut) {
    std::vector<std::vector<std::uint32_t>> frames;
    std::unique_ptr<Sprite> sprite = loader.cut(cut);
    if (!sprite) return frames;
    for (int i = 0; i < cut.frames; ++i) {
        SDL_Surface* surface = loader.pixels(*sprite, i);
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < cut.height; ++y) {
            for (int x = 0; x < cut.width; ++x) pixels.push_back(rawPixel(surface, x, y));
        }
        frames.push_back(pixels);
    }
    return frames;
}

TEST(ScoreFigures, TenDifferentFigures) {
    GameLoader loader(PixelLayout::Rgb565);
    ASSERT_TRUE(loader.ready());
    const auto frames = loadFrames(loader, kGameCuts[9]);
    ASSERT_EQ(frames.size(), 10u);
    for (std::size_t a = 0; a < frames.size(); ++a) {
        for (std::size_t b = a + 1; b < frames.size(); ++b) {
            EXPECT_NE(frames[a], frames[b]) << "figures " << a << " and " << b << " look alike";
        }
    }
}

// The background is drawn at screen x 7; these helpers take screen columns.
class BackgroundTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loader_.ready());
        const auto frames = loadFrames(loader_, kGameCuts[8]);
        ASSERT_EQ(frames.size(), 1u);
        pixels_ = frames[0];
        format_ = loader_.display().pixelFormat();
    }

    std::uint32_t rgbAt(int screenX, int y) const {
        Uint8 r, g, b;
        SDL_GetRGB(
            pixels_[static_cast<std::size_t>(y) * 787 + static_cast<std::size_t>(screenX - 7)],
            format_, &r, &g, &b);
        return (static_cast<std::uint32_t>(r) << 16) | (g << 8) | b;
    }

    static int brightest(std::uint32_t rgb) {
        int m = static_cast<int>(rgb >> 16);
        m = std::max(m, static_cast<int>((rgb >> 8) & 0xFF));
        return std::max(m, static_cast<int>(rgb & 0xFF));
    }

    // True when every pixel of the screen rectangle has one dark colour.
    ::testing::AssertionResult plainDark(int left, int top, int right, int bottom) const {
        const std::uint32_t first = rgbAt(left, top);
        if (brightest(first) >= 0x30) {
            return testing::AssertionFailure() << "colour #" << std::hex << first << " is not dark";
        }
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                if (rgbAt(x, y) != first) {
                    return testing::AssertionFailure()
                           << "(" << x << ", " << y << ") differs: #" << std::hex << rgbAt(x, y);
                }
            }
        }
        return testing::AssertionSuccess();
    }

    GameLoader loader_{PixelLayout::Rgb565};
    std::vector<std::uint32_t> pixels_;
    const SDL_PixelFormat* format_ = nullptr;
};

TEST_F(BackgroundTest, ScoreAndSpareShipsSitOnPlainDarkGround) {
    // Six figures of 15 x 13 from x 673, and up to two ship icons of 23 x 17
    // from (668, 339).
    EXPECT_TRUE(plainDark(673, 90, 768, 102));
    EXPECT_TRUE(plainDark(668, 339, 694 + 22, 339 + 16));
}

TEST_F(BackgroundTest, PlayFieldIsDarkAndFreeOfBunkerGreen) {
    int bright = 0;
    int total = 0;
    for (int y = 0; y < 570; ++y) {
        for (int x = 32; x <= 509; ++x) {
            const std::uint32_t rgb = rgbAt(x, y);
            ++total;
            if (brightest(rgb) >= 0x50) ++bright;
            // Bunker blocks are pure green; nothing behind them may match.
            ASSERT_NE(rgb & 0xF8FCF8, 0x00FC00u) << "(" << x << ", " << y << ")";
        }
    }
    // Stars only: shots and the ship have to stand out against the field.
    EXPECT_LT(bright * 100, total) << bright << " bright pixels of " << total;
}

}  // namespace
