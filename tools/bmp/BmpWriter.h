#pragma once

// Windows bitmap (.bmp) files written from a colour function: the one writer
// of the artwork generator and of the tests' pictures. Plain C++ with no
// platform header, so that it builds for Linux and for Windows alike.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The layouts a file can have. The game's own pictures are BottomUp24, the
// form paint programs write and both GDI's LoadImage and SDL_LoadBMP read;
// the others are there for the tests of the picture loaders.
enum class PictureLayout {
    BottomUp24,  // 24 bits per pixel, rows stored bottom-up
    TopDown24,   // the same with a negative height: rows stored top-down
    Palette8,    // 8 bits per pixel, with a palette of the colours used
    Bits32,      // 32 bits per pixel, the top byte 0xFF
};

// The colour of pixel (x, y), row 0 at the top, in the COLORREF packing: red
// in bits 0-7, green in 8-15, blue in 16-23.
using ColourAt = std::function<std::uint32_t(int x, int y)>;

// The bytes of the file: the file header, a 40-byte BITMAPINFOHEADER
// (uncompressed, 72 dots per inch), for Palette8 a palette of 256 entries
// (the colours used first, at most 256), and the rows, each padded to a whole
// number of 32-bit words.
std::vector<std::uint8_t> encodeBmp(PictureLayout layout, int width, int height,
                                    const ColourAt& colourAt);

// Writes the bytes to the file at `path`. False, with the reason in *error
// when one is asked for, when the file cannot be written whole; a file
// written only in part is removed.
bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                    std::string* error = nullptr);

// encodeBmp's bytes written to `path` by writeWholeFile.
bool writeBmp(const std::string& path, PictureLayout layout, int width, int height,
              const ColourAt& colourAt, std::string* error = nullptr);
