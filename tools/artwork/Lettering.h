#pragma once

#include <string>
#include <vector>

#include "GlyphSheet.h"
#include "Image.h"

// How a line of text is painted: glyph pixels become scale x scale blocks
// coloured in horizontal bands from `ramp` (top band first), with optional
// extra weight, a bevel on the strokes, a dark rim and a drop shadow.
struct TextStyle {
    int scale = 1;
    // Pixels between one letter and the next.
    int spacing = 1;
    // Pixels added to the right of every stroke: heavier letters whose
    // gaps stay open as long as the weight is below the scale.
    int weight = 0;
    std::vector<Rgb> ramp = {0xFFFFFF};
    // Lightens the top and left edges of each stroke and darkens the bottom
    // and right ones.
    bool bevel = false;
    int outline = 0;
    Rgb outlineColour = 0x000000;
    // Offset down and to the right of a copy of the lettering and its rim.
    int shadow = 0;
    Rgb shadowColour = 0x000000;
};

// The box the text fills, rim and shadow included.
int textWidth(const GlyphSheet& font, const std::string& text, const TextStyle& style);
int textHeight(const GlyphSheet& font, const TextStyle& style);

// Paints the text with the top-left corner of its box at (x, y). False, with
// the reason, when a character is not in the font.
bool drawText(Image& image, int x, int y, const GlyphSheet& font, const std::string& text,
              const TextStyle& style, std::string* error);

// The same, centred on column `centreX` (rounding to the left).
bool drawTextCentred(Image& image, int centreX, int y, const GlyphSheet& font,
                     const std::string& text, const TextStyle& style, std::string* error);
