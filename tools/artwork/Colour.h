#pragma once

#include <cstdint>

// Colours of the artwork, written as 0xRRGGBB the way a paint program shows
// them. (The game itself packs red in the low byte; magenta reads the same
// either way.)
using Rgb = std::uint32_t;

// The transparent colour of every keyed picture.
constexpr Rgb kKey = 0xFF00FF;

constexpr int redOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int greenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr Rgb rgb(int r, int g, int b) {
    return (static_cast<Rgb>(r & 0xFF) << 16) | (static_cast<Rgb>(g & 0xFF) << 8) |
           static_cast<Rgb>(b & 0xFF);
}

// A 16-bit display keeps only the top five bits of red and blue and the top
// five or six of green, so these colours all land on the key's pixel value and
// would vanish from a keyed picture (or show as the key in an opaque one).
constexpr bool isNearKey(Rgb c) {
    return redOf(c) >= 0xF8 && greenOf(c) < 0x08 && blueOf(c) >= 0xF8;
}

// a + (b - a) * num / den, channel by channel.
Rgb mix(Rgb a, Rgb b, int num, int den);
