#include "Creatures.h"
#include "Fonts.h"
#include "Lettering.h"
#include "Palette.h"
#include "Panels.h"
#include "Pictures.h"
#include "Scenery.h"

namespace {

constexpr int kWidth = 481;
constexpr int kHeight = 554;

TextStyle headline() {
    TextStyle s;
    s.scale = 9;
    s.weight = 4;
    s.spacing = 9;
    s.ramp = {0xFFF0B0, 0xFFC850, 0xFF9030, 0xF05A20, 0xC83018, 0x8A1C14};
    s.bevel = true;
    s.outline = 3;
    s.outlineColour = 0x200408;
    s.shadow = 3;
    s.shadowColour = 0x000000;
    return s;
}

}  // namespace

bool paintGameOver(std::vector<Picture>* out, std::string* error) {
    // Drawn whole, without a key, over the play field.
    Image image(kWidth, kHeight, 0x000000);
    paintBands(image, {0, 0, kWidth, kHeight}, {0x080210, 0x100418, 0x1E0820, 0x300C24, 0x401024});
    Dice dice(0x6A3E0u);
    scatterStars(image, {8, 8, kWidth - 16, 380}, 140, dice,
                 {0x3C2840, 0x907898, 0xFFF0F0, 0xF0B080});

    const GlyphSheet& font = letterFont();
    const TextStyle big = headline();
    if (!drawTextCentred(image, kWidth / 2, 70, font, "GAME", big, error) ||
        !drawTextCentred(image, kWidth / 2, 160, font, "OVER", big, error)) {
        return false;
    }

    // The victors line up on the ridge.
    Dice ground(0xC0FFEEu);
    paintRidge(image, {0, 392, kWidth, kHeight - 392}, 10, ground, 0x8A4A6A, 0x3A1830, 0x240C20);
    const PixelArt* const victors[] = {&kPoopyArt, &kDrippyArt, &kPukeyArt};
    const int scale = 3;
    for (int i = 0; i < 3; ++i) {
        Image creature;
        if (!paintPixelArt(*victors[i], &creature, error)) return false;
        const int w = creature.width() * scale;
        const int x = kWidth / 2 - w / 2 + (i - 1) * (w + 40);
        image.draw(creature, x, 392 - creature.height() * scale + (i == 1 ? -14 : 0), scale);
    }

    TextStyle small;
    small.scale = 2;
    small.spacing = 2;
    small.ramp = palette::kSilver;
    small.outline = 1;
    small.outlineColour = palette::kInk;
    if (!drawTextCentred(image, kWidth / 2, 440, font, "THANKS FOR PLAYING", small, error)) {
        return false;
    }
    small.ramp = palette::kChrome;
    small.scale = 3;
    if (!drawTextCentred(image, kWidth / 2, 480, font, "ZORBANIX", small, error)) return false;

    paintRaisedFrame(image, {0, 0, kWidth, kHeight}, 5, {0xE07070, 0x9A3040, 0x4A1020});
    out->push_back({"gameover.bmp", false, image});
    return true;
}
