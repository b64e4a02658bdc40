#include "IconArt.h"

#include "Creatures.h"
#include "Palette.h"
#include "PixelArt.h"
#include "Scenery.h"

namespace {

constexpr int kCornerRadius = 5;

// Whether the pixel lies inside the square with corners rounded to the
// radius; measured from the pixel's centre, in half pixels, so that the test
// stays in whole numbers.
bool insideRounded(int x, int y) {
    const int size = kIconArtSize;
    if (x < 0 || y < 0 || x >= size || y >= size) return false;
    const int low = 2 * kCornerRadius;
    const int high = 2 * (size - kCornerRadius);
    const auto outside = [&](int centre) {
        return centre < low ? low - centre : (centre > high ? centre - high : 0);
    };
    const int dx = outside(2 * x + 1);
    const int dy = outside(2 * y + 1);
    return dx * dx + dy * dy <= low * low;
}

// A star, bright or faint, at a fixed place.
struct Star {
    int x;
    int y;
    Rgb colour;
};

}  // namespace

bool paintIconArt(Image* out, std::string* error) {
    const int size = kIconArtSize;
    Image sky(size, size, kKey);
    // The play field's sky, from its deep top to its violet bottom.
    paintBands(sky, {0, 0, size, size}, {0x030312, 0x0A0826, 0x120A32, 0x1C0E3C, 0x2A1650});
    for (const Star& star :
         {Star{5, 4, 0xF4F8FF}, Star{25, 3, 0x8890B8}, Star{28, 9, 0xC0A8F0}, Star{3, 13, 0x8890B8},
          Star{27, 24, 0xF4F8FF}, Star{6, 27, 0x8890B8}, Star{17, 28, 0x3A4060}}) {
        sky.set(star.x, star.y, star.colour);
    }

    Image invader;
    if (!paintPixelArt(kDrippyArt, &invader, error)) return false;
    sky.draw(invader, (size - invader.width()) / 2, (size - invader.height()) / 2);

    Image icon(size, size, kKey);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!insideRounded(x, y)) continue;
            // The rim, raised as the game's panels are: light where the
            // outside is above or to the left, darker below and to the right.
            const bool lit = !insideRounded(x - 1, y) || !insideRounded(x, y - 1);
            const bool shaded = !insideRounded(x + 1, y) || !insideRounded(x, y + 1);
            icon.set(x, y, lit ? palette::kSteelLight : (shaded ? palette::kSteel : sky.at(x, y)));
        }
    }
    *out = icon;
    return true;
}
