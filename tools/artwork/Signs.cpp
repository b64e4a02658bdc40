#include "Fonts.h"
#include "Lettering.h"
#include "Palette.h"
#include "Panels.h"
#include "Pictures.h"
#include "Scenery.h"

namespace {

// A keyed picture of the given size with the text centred in it.
bool addSign(std::vector<Picture>* out, const char* fileName, int width, int height,
             const std::string& text, const TextStyle& style, std::string* error) {
    const GlyphSheet& font = letterFont();
    const int textW = textWidth(font, text, style);
    const int textH = textHeight(font, style);
    if (textW > width || textH > height) {
        if (error) {
            *error = std::string(fileName) + ": \"" + text + "\" is " + std::to_string(textW) +
                     " x " + std::to_string(textH) + ", larger than the picture";
        }
        return false;
    }
    Image picture(width, height, kKey);
    if (!drawText(picture, (width - textW) / 2, (height - textH) / 2, font, text, style, error)) {
        return false;
    }
    out->push_back({fileName, true, picture});
    return true;
}

// An opaque sign: the text centred on a small framed plate, for a message
// that sits over the busy middle of the field.
bool addPlate(std::vector<Picture>* out, const char* fileName, int width, int height,
              const std::string& text, const TextStyle& style, std::string* error) {
    if (!addSign(out, fileName, width, height, text, style, error)) return false;
    Image& picture = out->back().image;
    Image plate(width, height, palette::kFace);
    paintBands(plate, {0, 0, width, height}, {palette::kFace, palette::kFaceLow});
    paintRaisedFrame(plate, {0, 0, width, height}, 2,
                     {palette::kSteelLight, palette::kSteel, palette::kSteelDark});
    // Rounded corners: the key shows through where the frame turns.
    for (int x : {0, width - 1}) {
        for (int y : {0, height - 1}) {
            plate.set(x, y, kKey);
            plate.set(x == 0 ? 1 : width - 2, y, kKey);
            plate.set(x, y == 0 ? 1 : height - 2, kKey);
        }
    }
    plate.draw(picture, 0, 0);
    picture = plate;
    return true;
}

TextStyle style(int scale, int weight, int spacing, const std::vector<Rgb>& ramp, bool bevel,
                int outline, int shadow) {
    TextStyle s;
    s.weight = weight;
    s.scale = scale;
    s.spacing = spacing;
    s.ramp = ramp;
    s.bevel = bevel;
    s.outline = outline;
    s.outlineColour = palette::kInk;
    s.shadow = shadow;
    s.shadowColour = palette::kDeepShadow;
    return s;
}

// Ten figures on a 16-pixel pitch, each in a 15 x 13 cell starting one pixel
// in from the picture's top-left corner.
bool addScoreFigures(std::vector<Picture>* out, std::string* error) {
    const GlyphSheet& font = scoreFigureFont();
    TextStyle figure;
    figure.scale = 2;
    figure.spacing = 0;
    figure.ramp = palette::kScore;
    figure.shadow = 1;
    figure.shadowColour = palette::kScoreShadow;
    Image picture(161, 15, kKey);
    for (int i = 0; i < 10; ++i) {
        const std::string text(1, static_cast<char>('0' + i));
        if (textWidth(font, text, figure) != 15 || textHeight(font, figure) != 13) {
            if (error) *error = "numbers.bmp: a score figure does not fill its 15 x 13 cell";
            return false;
        }
        if (!drawText(picture, 1 + 16 * i, 1, font, text, figure, error)) return false;
    }
    out->push_back({"numbers.bmp", true, picture});
    return true;
}

}  // namespace

bool paintSigns(std::vector<Picture>* out, std::string* error) {
    return addSign(out, "getready.bmp", 266, 32, "GET READY",
                   style(4, 2, 4, palette::kFire, true, 2, 0), error) &&
           addPlate(out, "paused.bmp", 142, 21, "PAUSED",
                    style(2, 1, 6, palette::kFire, false, 1, 0), error) &&
           addSign(out, "title.bmp", 370, 48, "ZORBANIX",
                   style(6, 3, 6, palette::kChrome, true, 2, 2), error) &&
           addSign(out, "space.bmp", 165, 26, "PRESS SPACE",
                   style(2, 1, 2, palette::kIce, false, 1, 1), error) &&
           addSign(out, "ostrelwyn.bmp", 332, 48, "OSTRELWYN",
                   style(6, 2, 4, palette::kGold, true, 2, 2), error) &&
           addSign(out, "presents.bmp", 130, 16, "PRESENTS",
                   style(2, 1, 3, palette::kSilver, false, 1, 0), error) &&
           addScoreFigures(out, error);
}
