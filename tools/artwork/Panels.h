#pragma once

#include "Image.h"
#include "Scenery.h"

struct BevelColours {
    Rgb light;
    Rgb mid;
    Rgb dark;
};

// A raised frame `depth` pixels thick around the area's edge: light on the
// top and left, dark on the bottom and right, mid between; the inside is not
// touched.
void paintRaisedFrame(Image& image, const Area& area, int depth, const BevelColours& colours);

// A sunken window: a two-pixel rim, dark above and to the left, light below
// and to the right, around a plain inside.
void paintSunkenWindow(Image& image, const Area& area, const BevelColours& colours, Rgb inside);

// A small round rivet (3 x 3) centred at (x, y).
void paintRivet(Image& image, int x, int y, const BevelColours& colours);
