#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

// A small deterministic number source (xorshift), so that every build paints
// exactly the same stars and ridges.
class Dice {
public:
    explicit Dice(std::uint32_t state) : state_(state ? state : 1u) {}
    std::uint32_t next();
    // 0 to n - 1; 0 when n is not positive.
    int below(int n);

private:
    std::uint32_t state_;
};

struct Area {
    int x;
    int y;
    int width;
    int height;
};

// Fills the area from top to bottom through the bands, each blending into the
// next with an ordered 4 x 4 dither, so that only the band colours appear.
void paintBands(Image& image, const Area& area, const std::vector<Rgb>& bands);

// The same from left to right.
void paintBandsAcross(Image& image, const Area& area, const std::vector<Rgb>& bands);

struct StarColours {
    Rgb faint;
    Rgb plain;
    Rgb bright;
    Rgb tint;  // a few stars take this colour instead of plain
};

// Scatters `count` stars over the area: mostly faint single pixels, some
// plain or tinted ones, and a few bright crosses.
void scatterStars(Image& image, const Area& area, int count, Dice& dice,
                  const StarColours& colours);

struct ShadeColours {
    Rgb light;
    Rgb mid;
    Rgb dark;
};

// A ball lit from the upper left: light cap, mid body, dark side, with a
// dithered edge between the tones.
void paintBall(Image& image, int centreX, int centreY, int radius, const ShadeColours& colours);

// A flat ring around a ball's centre: an ellipse band `thickness` pixels deep.
// Only its front half (below the centre) is drawn when `frontOnly`.
void paintRing(Image& image, int centreX, int centreY, int radiusX, int radiusY, int thickness,
               Rgb colour, bool frontOnly);

// A rolling horizon across the area: the ground's top edge wanders between
// the area's top and `depth` rows below it; a rim colour marks the skyline.
void paintRidge(Image& image, const Area& area, int depth, Dice& dice, Rgb rim, Rgb body,
                Rgb shade);
