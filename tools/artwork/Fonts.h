#pragma once

#include <string>

#include "GlyphSheet.h"

// Our lettering: capitals, figures and a few signs on a 5 x 7 grid, made to
// be scaled up in whole pixels.
const GlyphSheet& letterFont();

// The score figures: 7 x 6, squat and heavy, so that at twice the size with a
// one-pixel shadow each fills a 15 x 13 cell of the score strip.
const GlyphSheet& scoreFigureFont();

// Parses both sheets; false with the reason when one is malformed. The two
// accessors above give empty sheets until this has succeeded.
bool loadFonts(std::string* error);
