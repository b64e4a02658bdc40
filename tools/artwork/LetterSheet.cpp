// letters.bmp: the lettering of the screen between two games, every glyph of
// our letter font in the four inks of platform/sdl/results/LetterSheet.h.

#include "platform/sdl/results/LetterSheet.h"

#include "Fonts.h"
#include "Lettering.h"
#include "Palette.h"
#include "Pictures.h"

namespace {

TextStyle inkStyle(int ink) {
    const letterSheet::InkShape& shape = letterSheet::kShapes[ink];
    TextStyle style;
    style.scale = shape.scale;
    style.weight = shape.weight;
    style.spacing = shape.spacing;
    style.outline = shape.outline;
    style.outlineColour = palette::kInk;
    style.shadow = shape.shadow;
    style.shadowColour = palette::kDeepShadow;
    switch (ink) {
        case letterSheet::Plain:
            style.ramp = palette::kSilver;
            break;
        case letterSheet::Marked:
            style.ramp = palette::kGold;
            break;
        case letterSheet::Prompt:
            style.ramp = palette::kIce;
            break;
        default:
            style.ramp = palette::kFire;
            style.bevel = true;
            break;
    }
    return style;
}

}  // namespace

bool paintLetterSheet(std::vector<Picture>* out, std::string* error) {
    const GlyphSheet& font = letterFont();
    Image sheet(letterSheet::sheetWidth(), letterSheet::sheetHeight(), kKey);
    for (int ink = 0; ink < letterSheet::kInkCount; ++ink) {
        const TextStyle style = inkStyle(ink);
        const letterSheet::InkShape& shape = letterSheet::kShapes[ink];
        for (int i = 0; i < letterSheet::kCharacterCount; ++i) {
            const std::string glyph(1, letterSheet::kCharacters[i]);
            if (textWidth(font, glyph, style) != shape.cellWidth() ||
                textHeight(font, style) != shape.cellHeight()) {
                if (error) *error = "letters.bmp: a glyph does not fill its cell";
                return false;
            }
            if (!drawText(sheet, letterSheet::cellLeft(ink, i), letterSheet::rowTop(ink), font,
                          glyph, style, error)) {
                return false;
            }
        }
    }
    out->push_back({letterSheet::kFileName, true, sheet});
    return true;
}
