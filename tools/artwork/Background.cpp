#include "Creatures.h"
#include "Fonts.h"
#include "Lettering.h"
#include "Palette.h"
#include "Panels.h"
#include "Pictures.h"
#include "Scenery.h"

namespace {

// The picture is drawn 7 pixels in from the screen's left edge; everything
// below is placed in screen columns and shifted by this.
constexpr int kLeft = 7;
constexpr int kWidth = 787;
constexpr int kHeight = 600;

// Where the game draws onto this picture, in screen pixels.
constexpr int kFieldLeft = 32;  // invaders and ship stay in 32..509
constexpr int kFieldRight = 509;
constexpr int kScoreLeft = 673;  // six figures, 16 apart, 15 x 13 each
constexpr int kScoreTop = 90;
constexpr int kScoreRight = 768;
constexpr int kScoreBottom = 102;
constexpr int kIconsLeft = 668;  // spare-ship icons, 26 apart, 23 x 17 each
constexpr int kIconsTop = 339;

// The status panel on the right.
constexpr int kPanelLeft = 652;
constexpr int kPanelRight = 786;
constexpr int kPanelTop = 8;
constexpr int kPanelBottom = 591;
constexpr int kPanelCentre = 720;

Area screenArea(int left, int top, int right, int bottom) {
    return {left - kLeft, top, right - left + 1, bottom - top + 1};
}

const BevelColours kSteelBevel = {palette::kSteelLight, palette::kSteel, palette::kSteelDark};

void paintSky(Image& image) {
    paintBands(image, {0, 0, kWidth, kHeight},
               {0x010108, 0x030312, 0x06061C, 0x0A0826, 0x120A32, 0x1C0E3C});
    Dice dice(0x5EA7C0DEu);
    scatterStars(image, {0, 0, kWidth, 570}, 460, dice, {0x3A4060, 0x8890B8, 0xF4F8FF, 0xC0A8F0});
}

// A ringed planet and its moon hang in the gap between field and panel.
void paintPlanets(Image& image) {
    const int cx = 586 - kLeft;
    const int cy = 178;
    paintRing(image, cx, cy, 44, 9, 3, 0x4A3C6C, false);
    paintBall(image, cx, cy, 30, {0xE0A070, 0xA85E48, 0x4E2438});
    paintRing(image, cx, cy, 44, 9, 3, 0x8C78B4, true);
    paintBall(image, 560 - kLeft, 262, 7, {0xC8CCD8, 0x7C8098, 0x363850});
}

// The ground the ship patrols above: below the ship's row and the lowest
// reach of any shot.
void paintGround(Image& image) {
    Dice dice(0x0DDBA11u);
    paintRidge(image, {0, 578, kWidth, kHeight - 578}, 8, dice, 0x5A4A8A, 0x2A2046, 0x181230);
}

// Thin rails on both sides of the field mark where the fleet turns.
void paintRails(Image& image) {
    const BevelColours rail = {0x7A84B0, 0x3C4270, 0x1C2040};
    for (int x : {kFieldLeft - 6, kFieldRight + 2}) {
        paintRaisedFrame(image, screenArea(x, 0, x + 3, kHeight - 1), 1, rail);
        image.fillRect(x + 1 - kLeft, 0, 2, kHeight, rail.mid);
        image.fillRect(x + 1 - kLeft, 0, 1, kHeight, rail.light);
    }
}

TextStyle labelStyle() {
    TextStyle s;
    s.scale = 2;
    s.spacing = 2;
    s.ramp = palette::kFire;
    s.outline = 1;
    s.outlineColour = palette::kInk;
    return s;
}

TextStyle smallPrint(const std::vector<Rgb>& ramp) {
    TextStyle s;
    s.scale = 1;
    s.spacing = 1;
    s.ramp = ramp;
    s.shadow = 1;
    s.shadowColour = palette::kInk;
    return s;
}

// One line of the points table: the invader, then what it is worth on the
// score display.
bool paintWorth(Image& image, const PixelArt& art, int top, const char* worth, std::string* error) {
    Image creature;
    if (!paintPixelArt(art, &creature, error)) return false;
    image.draw(creature, 672 - kLeft, top);
    TextStyle s = labelStyle();
    s.ramp = palette::kSilver;
    return drawText(image, 706 - kLeft, top + 1, letterFont(), worth, s, error);
}

bool paintPanel(Image& image, std::string* error) {
    const Area panel = screenArea(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom);
    paintBands(image, panel, {palette::kFace, palette::kFace, palette::kFaceLow});
    paintRaisedFrame(image, panel, 4, kSteelBevel);
    for (int x : {kPanelLeft + 8, kPanelRight - 8}) {
        for (int y : {kPanelTop + 8, kPanelBottom - 8})
            paintRivet(image, x - kLeft, y, kSteelBevel);
    }
    const int centre = kPanelCentre - kLeft;

    TextStyle logo = labelStyle();
    logo.ramp = palette::kChrome;
    if (!drawTextCentred(image, centre, 24, letterFont(), "ZORBANIX", logo, error)) return false;
    image.fillRect(kPanelLeft + 10 - kLeft, 48, kPanelRight - kPanelLeft - 19, 1,
                   palette::kSteelDark);
    image.fillRect(kPanelLeft + 10 - kLeft, 49, kPanelRight - kPanelLeft - 19, 1, palette::kSteel);

    // The score: a label just above a plain dark window round the figures.
    if (!drawTextCentred(image, centre, 66, letterFont(), "SCORE", labelStyle(), error)) {
        return false;
    }
    paintSunkenWindow(image,
                      screenArea(kScoreLeft - 5, kScoreTop - 5, kScoreRight + 5, kScoreBottom + 5),
                      kSteelBevel, palette::kWindow);

    // What each invader is worth.
    if (!drawTextCentred(image, centre, 136, letterFont(), "POINTS", labelStyle(), error)) {
        return false;
    }
    if (!paintWorth(image, kDrippyArt, 162, "30", error) ||
        !paintWorth(image, kPukeyArt, 190, "20", error) ||
        !paintWorth(image, kPoopyArt, 218, "10", error)) {
        return false;
    }

    // The spare ships: a label above a window wide enough for a row of icons.
    if (!drawTextCentred(image, centre, 315, letterFont(), "SHIPS", labelStyle(), error)) {
        return false;
    }
    paintSunkenWindow(
        image, screenArea(kIconsLeft - 5, kIconsTop - 5, kPanelRight - 12, kIconsTop + 17 + 4),
        kSteelBevel, palette::kWindow);

    // The keys.
    const TextStyle keys = smallPrint(palette::kSilver);
    const TextStyle keyNames = smallPrint(palette::kIce);
    const char* const lines[][2] = {
        {"< >", "MOVE"}, {"SPACE", "FIRE"}, {"P", "PAUSE"}, {"ESC", "QUIT"}};
    if (!drawTextCentred(image, centre, 470, letterFont(), "KEYS", labelStyle(), error)) {
        return false;
    }
    int y = 496;
    for (const auto& line : lines) {
        const int keyRight = centre - 4;
        const int keyWidth = textWidth(letterFont(), line[0], keyNames);
        if (!drawText(image, keyRight - keyWidth, y, letterFont(), line[0], keyNames, error) ||
            !drawText(image, centre + 6, y, letterFont(), line[1], keys, error)) {
            return false;
        }
        y += 14;
    }
    return true;
}

}  // namespace

bool paintBackground(std::vector<Picture>* out, std::string* error) {
    Image image(kWidth, kHeight, 0x000000);
    paintSky(image);
    paintPlanets(image);
    paintGround(image);
    paintRails(image);
    if (!paintPanel(image, error)) return false;
    out->push_back({"background.bmp", true, image});
    return true;
}
