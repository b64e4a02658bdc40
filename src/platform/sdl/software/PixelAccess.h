#pragma once

#include <SDL.h>

#include <cstdint>

// Single pixels of a surface of any byte-aligned SDL format, and the
// conversion between raw values and GDI's COLORREF (red in the low byte).
// Coordinates must lie inside the surface.
std::uint32_t readPixel(const SDL_Surface* surface, int x, int y);
void writePixel(SDL_Surface* surface, int x, int y, std::uint32_t raw);

// Keeps the high bits of each channel, as SDL_MapRGB and SDL's converting
// blits do, so that a colour drawn here equals the same colour copied in
// from a bitmap.
std::uint32_t rawFromColourRef(const SDL_Surface* surface, std::uint32_t colourRef);
std::uint32_t colourRefFromRaw(const SDL_Surface* surface, std::uint32_t raw);

inline bool containsPixel(const SDL_Surface* surface, int x, int y) {
    return x >= 0 && y >= 0 && x < surface->w && y < surface->h;
}
