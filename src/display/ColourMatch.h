#pragma once

#include <cstdint>

#include "display/DirectDrawApi.h"

// The RGB value that means "no colour given" (GDI's CLR_INVALID).
constexpr std::uint32_t kNoColour = 0xFFFFFFFF;

// Converts an RGB value into the raw pixel value that the platform's own
// drawing writes into this surface, by drawing it at pixel (0, 0) and reading
// it back; pixel (0, 0) shows its old colour afterwards. Gives false, and
// leaves *pixelValue alone, when the surface cannot be locked.
bool MatchColour(DdSurface* surface, std::uint32_t rgb, std::uint32_t* pixelValue);
