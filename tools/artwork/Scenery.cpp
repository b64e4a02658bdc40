#include "Scenery.h"

#include <cmath>

namespace {

// The classic 4 x 4 ordered-dither thresholds, 0 to 15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int threshold(int x, int y) { return kBayer[y & 3][x & 3]; }

// The band colour at position `at` of `span` along a run of bands.
Rgb bandAt(const std::vector<Rgb>& bands, int at, int span, int x, int y) {
    if (bands.empty()) return kKey;
    if (bands.size() == 1 || span <= 1) return bands.front();
    // Position in sixteenths of a band.
    const int steps = static_cast<int>(bands.size()) - 1;
    const int pos = at * steps * 16 / (span - 1);
    const int band = pos / 16;
    if (band >= steps) return bands.back();
    const int fraction = pos % 16;
    return fraction > threshold(x, y) ? bands[static_cast<std::size_t>(band) + 1]
                                      : bands[static_cast<std::size_t>(band)];
}

}  // namespace

std::uint32_t Dice::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

int Dice::below(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(next() % static_cast<std::uint32_t>(n));
}

void paintBands(Image& image, const Area& area, const std::vector<Rgb>& bands) {
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            image.set(area.x + x, area.y + y,
                      bandAt(bands, y, area.height, area.x + x, area.y + y));
        }
    }
}

void paintBandsAcross(Image& image, const Area& area, const std::vector<Rgb>& bands) {
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            image.set(area.x + x, area.y + y, bandAt(bands, x, area.width, area.x + x, area.y + y));
        }
    }
}

void scatterStars(Image& image, const Area& area, int count, Dice& dice,
                  const StarColours& colours) {
    for (int i = 0; i < count; ++i) {
        const int x = area.x + dice.below(area.width);
        const int y = area.y + dice.below(area.height);
        const int kind = dice.below(100);
        if (kind < 62) {
            image.set(x, y, colours.faint);
        } else if (kind < 84) {
            image.set(x, y, colours.plain);
        } else if (kind < 94) {
            image.set(x, y, colours.tint);
        } else {
            // A bright star with short faint arms; kept whole inside the area.
            const int cx = x < area.x + 1
                               ? area.x + 1
                               : (x > area.x + area.width - 2 ? area.x + area.width - 2 : x);
            const int cy = y < area.y + 1
                               ? area.y + 1
                               : (y > area.y + area.height - 2 ? area.y + area.height - 2 : y);
            image.set(cx, cy, colours.bright);
            image.set(cx - 1, cy, colours.faint);
            image.set(cx + 1, cy, colours.faint);
            image.set(cx, cy - 1, colours.faint);
            image.set(cx, cy + 1, colours.faint);
        }
    }
}

void paintBall(Image& image, int centreX, int centreY, int radius, const ShadeColours& colours) {
    const int r2 = radius * radius;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (dx * dx + dy * dy > r2) continue;
            // Distance from a light spot up and to the left, in sixteenths of
            // the radius, decides the tone.
            const int lx = dx + radius / 3;
            const int ly = dy + radius / 3;
            const int d =
                static_cast<int>(16.0 * std::sqrt(static_cast<double>(lx * lx + ly * ly)) / radius);
            const int x = centreX + dx;
            const int y = centreY + dy;
            Rgb colour = colours.mid;
            if (d < 8 || (d < 10 && (d - 8) * 8 <= threshold(x, y))) {
                colour = colours.light;
            } else if (d >= 20 || (d >= 17 && (d - 17) * 5 > threshold(x, y))) {
                colour = colours.dark;
            }
            image.set(x, y, colour);
        }
    }
}

void paintRing(Image& image, int centreX, int centreY, int radiusX, int radiusY, int thickness,
               Rgb colour, bool frontOnly) {
    for (int dy = -radiusY - thickness; dy <= radiusY + thickness; ++dy) {
        if (frontOnly && dy <= 0) continue;
        for (int dx = -radiusX - thickness; dx <= radiusX + thickness; ++dx) {
            // Inside the outer ellipse and outside the inner one.
            const double ox = static_cast<double>(dx) / (radiusX + thickness);
            const double oy = static_cast<double>(dy) / (radiusY + thickness);
            const double ix = static_cast<double>(dx) / radiusX;
            const double iy = static_cast<double>(dy) / radiusY;
            if (ox * ox + oy * oy <= 1.0 && ix * ix + iy * iy > 1.0) {
                image.set(centreX + dx, centreY + dy, colour);
            }
        }
    }
}

void paintRidge(Image& image, const Area& area, int depth, Dice& dice, Rgb rim, Rgb body,
                Rgb shade) {
    // A random walk, nudged back towards the middle of its range, makes the
    // skyline; it moves at most one row per column so it reads as rolling.
    int level = depth / 2;
    for (int x = 0; x < area.width; ++x) {
        const int roll = dice.below(9);
        if (roll < 3 && level > 0) {
            --level;
        } else if (roll > 5 && level < depth) {
            ++level;
        }
        if (level < depth / 4 && dice.below(3) == 0) ++level;
        if (level > depth * 3 / 4 && dice.below(3) == 0) --level;
        const int top = area.y + level;
        for (int y = top; y < area.y + area.height; ++y) {
            Rgb colour = body;
            if (y == top) {
                colour = rim;
            } else if (y >= top + 5 || (y > top + 2 && ((x + y) & 1) == 0)) {
                colour = shade;
            }
            image.set(area.x + x, y, colour);
        }
    }
}
