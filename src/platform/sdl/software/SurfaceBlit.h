#pragma once

#include <SDL.h>

#include <cstdint>

#include "display/DirectDrawApi.h"

// The blitter behind the software surfaces: raw 16-bit copies and fills.
// `clip` is the clip area of the destination's clipper, or null when it has
// none; without a clipper a rectangle reaching outside the destination is
// refused, with one it is cut to the clip area (and the source cut by the
// same amounts).

struct BlitKey {
    bool active = false;
    std::uint32_t low = 0;
    std::uint32_t high = 0;
};

DdResult fillSurfaceRect(SDL_Surface* dest, const DdRect* rect, const DdRect* clip,
                         std::uint16_t value);

// Copies one to one, or scales to the nearest pixel when the rectangles
// differ in size. Source pixels inside the key range are skipped.
DdResult blitSurfaceRect(SDL_Surface* dest, const DdRect* destRect, const DdRect* clip,
                         SDL_Surface* source, const DdRect* sourceRect, const BlitKey& key);
