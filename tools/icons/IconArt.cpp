#include "IconArt.h"

#include <vector>

#include "Creatures.h"
#include "Palette.h"
#include "PixelArt.h"
#include "Scenery.h"

namespace {

// The drippy invader's colours, as in the game.
constexpr const char* kInvaderColours = "H EEFAFF L A8E0FF M 4C9EF0 D 2156B4 W FFFFFF K 0C1430";

// The same invader drawn for 16 pixels: eyes of two by two with the pupils
// looking in, a two-row smile, and the drips cut to three; the empty top
// row gives the head room under the frame.
const PixelArt kInvader16 = {"drippy at 16", kInvaderColours, R"(
............
...LLLLLM...
..LHHMMMMD..
.LHMMMMMMMD.
.LMWWMMWWMD.
.LMWKMMKWMD.
.LMMMMMMMMD.
.LMMKMMKMMD.
.DMMMKKMMMD.
..DMDMMDMD..
..D..MD..D..
.....D......
)"};

// And for 24 pixels: round eyes with a two-pixel pupil, the smile, four
// drips.
const PixelArt kInvader24 = {"drippy at 24", kInvaderColours, R"(
.....LLLLLLM.....
...LLHHMMMMMMD...
..LHHMMMMMMMMMD..
.LHMMMMMMMMMMMMD.
.LMMWWWMMMMWWWMD.
.LMWWKKMMMMKKWWD.
.LMWWKKMMMMKKWWD.
.LMMWWMMMMMMWWMD.
.LMMMMMKMMMKMMMD.
.LMMMMMMKKKMMMMD.
.DMMDMMMMMMMDMMD.
..DMD.MMD.DMMDD..
..LMD..MD..LMD...
...D...MD...D....
.......D.........
)"};

// A star, bright or faint, at a fixed place.
struct Star {
    int x;
    int y;
    Rgb colour;
};

constexpr Rgb kBright = 0xF4F8FF;
constexpr Rgb kFaint = 0x8890B8;
constexpr Rgb kViolet = 0xC0A8F0;
constexpr Rgb kDim = 0x3A4060;

struct SizedArt {
    int size;
    int cornerRadius;
    const PixelArt* invader;  // null: the game's own drippy
    std::vector<Star> stars;
};

const SizedArt kSizes[] = {
    {16, 3, &kInvader16, {{3, 2, kFaint}, {13, 3, kBright}, {2, 12, kFaint}}},
    {24, 4, &kInvader24, {{4, 3, kBright}, {19, 2, kFaint}, {21, 7, kViolet}, {2, 19, kFaint}}},
    {kIconArtSize,
     5,
     nullptr,
     {{5, 4, kBright},
      {25, 3, kFaint},
      {28, 9, kViolet},
      {3, 13, kFaint},
      {27, 24, kBright},
      {6, 27, kFaint},
      {17, 28, kDim}}},
};

// Whether the pixel lies inside the square with corners rounded to the
// radius; measured from the pixel's centre, in half pixels, so that the test
// stays in whole numbers.
bool insideRounded(int x, int y, int size, int radius) {
    if (x < 0 || y < 0 || x >= size || y >= size) return false;
    const int low = 2 * radius;
    const int high = 2 * (size - radius);
    const auto outside = [&](int centre) {
        return centre < low ? low - centre : (centre > high ? centre - high : 0);
    };
    const int dx = outside(2 * x + 1);
    const int dy = outside(2 * y + 1);
    return dx * dx + dy * dy <= low * low;
}

const SizedArt* artAt(int size) {
    for (const SizedArt& art : kSizes) {
        if (art.size == size) return &art;
    }
    return nullptr;
}

// The play field's sky, from its deep top to its violet bottom, with the
// size's stars.
Image paintSky(const SizedArt& art) {
    Image sky(art.size, art.size, kKey);
    paintBands(sky, {0, 0, art.size, art.size}, {0x030312, 0x0A0826, 0x120A32, 0x1C0E3C, 0x2A1650});
    for (const Star& star : art.stars) sky.set(star.x, star.y, star.colour);
    return sky;
}

}  // namespace

bool hasIconArtAt(int size) { return artAt(size) != nullptr; }

bool paintIconArt(Image* out, std::string* error) { return paintIconArt(kIconArtSize, out, error); }

bool paintIconArt(int size, Image* out, std::string* error) {
    const SizedArt* art = artAt(size);
    if (!art) {
        if (error) *error = "no icon art at " + std::to_string(size) + " pixels";
        return false;
    }
    Image sky = paintSky(*art);

    Image invader;
    if (!paintPixelArt(art->invader ? *art->invader : kDrippyArt, &invader, error)) return false;
    // Centred; an odd spare pixel goes to the right and the bottom, where
    // the frame's shaded rim is.
    sky.draw(invader, (size - invader.width()) / 2, (size - invader.height()) / 2);

    Image icon(size, size, kKey);
    const int radius = art->cornerRadius;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!insideRounded(x, y, size, radius)) continue;
            // The rim, raised as the game's panels are: light where the
            // outside is above or to the left, darker below and to the right.
            const bool lit =
                !insideRounded(x - 1, y, size, radius) || !insideRounded(x, y - 1, size, radius);
            const bool shaded =
                !insideRounded(x + 1, y, size, radius) || !insideRounded(x, y + 1, size, radius);
            icon.set(x, y, lit ? palette::kSteelLight : (shaded ? palette::kSteel : sky.at(x, y)));
        }
    }
    *out = icon;
    return true;
}

bool paintMaskableIconArt(int size, Image* out, std::string* error) {
    if (size < kIconArtSize || size % kIconArtSize != 0) {
        if (error) *error = "a maskable icon of " + std::to_string(size) + " pixels";
        return false;
    }
    Image invader;
    if (!paintPixelArt(kDrippyArt, &invader, error)) return false;
    Image icon(size, size, kKey);
    icon.draw(paintSky(*artAt(kIconArtSize)), 0, 0, size / kIconArtSize);
    // The largest whole scale whose diagonal stays within 70 % of the side.
    const int diagonalSquared =
        invader.width() * invader.width() + invader.height() * invader.height();
    int scale = 1;
    while (49 * size * size >= 100 * diagonalSquared * (scale + 1) * (scale + 1)) ++scale;
    icon.draw(invader, (size - scale * invader.width()) / 2, (size - scale * invader.height()) / 2,
              scale);
    *out = icon;
    return true;
}
