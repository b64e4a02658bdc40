#pragma once

#include <vector>

#include "Image.h"

struct KeyClash {
    int x;
    int y;
    Rgb colour;
};

// The pixels that a 16-bit display would turn into the key colour although
// they are meant to be seen: in a keyed picture every near-magenta pixel but
// the key itself, in an opaque picture every near-magenta pixel.
std::vector<KeyClash> findKeyClashes(const Image& image, bool keyed);
