#include "Lettering.h"

namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kInk = 0x000001;  // marks stroke pixels before they are coloured

int glyphWidth(const GlyphSheet& font, const TextStyle& style) {
    return font.width() * style.scale + style.weight;
}

int advance(const GlyphSheet& font, const TextStyle& style) {
    return glyphWidth(font, style) + style.spacing;
}

Rgb bandColour(const TextStyle& style, int row, int height) {
    if (style.ramp.empty()) return kWhite;
    std::size_t band = static_cast<std::size_t>(row) * style.ramp.size() /
                       static_cast<std::size_t>(height > 0 ? height : 1);
    if (band >= style.ramp.size()) band = style.ramp.size() - 1;
    return style.ramp[band];
}

// Where the strokes are, pixel by pixel, on a key background.
Image strokeMask(const GlyphSheet& font, const std::string& text, const TextStyle& style) {
    const int s = style.scale;
    Image mask(static_cast<int>(text.size()) * advance(font, style), font.height() * s, kKey);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int left = static_cast<int>(i) * advance(font, style);
        for (int gy = 0; gy < font.height(); ++gy) {
            for (int gx = 0; gx < font.width(); ++gx) {
                if (font.ink(text[i], gx, gy)) {
                    mask.fillRect(left + gx * s, gy * s, s + style.weight, s, kInk);
                }
            }
        }
    }
    return mask;
}

// The strokes coloured band by band, bevelled along their edges.
Image colourStrokes(const Image& mask, const TextStyle& style) {
    Image strokes(mask.width(), mask.height(), kKey);
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.at(x, y) == kKey) continue;
            Rgb colour = bandColour(style, y, mask.height());
            if (style.bevel) {
                if (mask.at(x, y - 1) == kKey || mask.at(x - 1, y) == kKey) {
                    colour = mix(colour, kWhite, 2, 5);
                } else if (mask.at(x, y + 1) == kKey || mask.at(x + 1, y) == kKey) {
                    colour = mix(colour, kBlack, 2, 5);
                }
            }
            strokes.set(x, y, colour);
        }
    }
    return strokes;
}

// The strokes grown by `width` pixels in every direction, in one colour.
Image grow(const Image& strokes, int width, Rgb colour) {
    Image rim(strokes.width() + 2 * width, strokes.height() + 2 * width, kKey);
    for (int y = 0; y < strokes.height(); ++y) {
        for (int x = 0; x < strokes.width(); ++x) {
            if (strokes.at(x, y) == kKey) continue;
            rim.fillRect(x, y, 2 * width + 1, 2 * width + 1, colour);
        }
    }
    return rim;
}

}  // namespace

int textWidth(const GlyphSheet& font, const std::string& text, const TextStyle& style) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * advance(font, style) - style.spacing +
           2 * style.outline + style.shadow;
}

int textHeight(const GlyphSheet& font, const TextStyle& style) {
    return font.height() * style.scale + 2 * style.outline + style.shadow;
}

bool drawText(Image& image, int x, int y, const GlyphSheet& font, const std::string& text,
              const TextStyle& style, std::string* error) {
    for (char c : text) {
        if (!font.has(c)) {
            if (error) *error = std::string("no glyph for '") + c + "' in \"" + text + "\"";
            return false;
        }
    }
    const Image strokes = colourStrokes(strokeMask(font, text, style), style);
    if (style.shadow > 0) {
        image.draw(grow(strokes, style.outline, style.shadowColour), x + style.shadow,
                   y + style.shadow);
    }
    if (style.outline > 0) image.draw(grow(strokes, style.outline, style.outlineColour), x, y);
    image.draw(strokes, x + style.outline, y + style.outline);
    return true;
}

bool drawTextCentred(Image& image, int centreX, int y, const GlyphSheet& font,
                     const std::string& text, const TextStyle& style, std::string* error) {
    const int width = textWidth(font, text, style);
    return drawText(image, centreX - (width - 1) / 2, y, font, text, style, error);
}
