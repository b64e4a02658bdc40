#pragma once

#include <string>

#include "Image.h"

// A picture written as text, one character per pixel, so that it can be read
// and edited in the source. '.' is the key (transparent); every other
// character must be named in the palette, written as "S RRGGBB" pairs
// separated by spaces, e.g. "W E8F0F8 S 98A8C0".
struct PixelArt {
    const char* name;
    const char* palette;
    // Rows separated by newlines; empty lines at the start and end are
    // ignored, so the rows can sit in a raw string literal.
    const char* rows;
    // When set, each row gives the left half up to and including the centre
    // column, and the right half is its mirror image.
    bool mirrored = false;
};

// Paints the art into a new image of its own size. False, with the reason,
// when the palette or the rows are malformed: rows of unequal width, an
// unknown character, a key colour in the palette.
bool paintPixelArt(const PixelArt& art, Image* out, std::string* error);
