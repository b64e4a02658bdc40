#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG files for the tools: the screenshots and the desktop icons.

// 8-bit PNG bytes of `pixels`: width x height pixels of `channels` bytes
// each (3: r, g, b; 4: r, g, b and straight alpha), row 0 at the top. False,
// with the reason, when the sizes do not match or libpng fails.
bool encodePng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels,
               std::vector<std::uint8_t>* png, std::string* error);

// Writes the bytes to `path`; a file that could not be written whole is
// removed. False, with the reason, on failure.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* error);

// Writes an 8-bit RGB PNG; `rgb` holds width x height pixels as r, g, b
// bytes, row 0 at the top. False, with the reason, when the file cannot be
// written.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
              std::string* error);
