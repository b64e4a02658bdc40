#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGB PNG; `rgb` holds width x height pixels as r, g, b
// bytes, row 0 at the top. False, with the reason, when the file cannot be
// written.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
              std::string* error);
