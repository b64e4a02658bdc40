#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

// Reading Windows bitmap files. The headers are checked before SDL decodes
// anything, so a truncated, oversized or inconsistent file is refused
// instead of being read past its end.

struct BitmapFileInfo {
    int width = 0;
    int height = 0;  // rows, always positive
    int bitsPerPixel = 0;
    bool topDown = false;
};

// True when the file image is a bitmap this loader accepts: uncompressed
// 1, 4, 8, 16, 24 or 32 bits per pixel, bit fields for 16 and 32, run-length
// coded 4 and 8 bits, with every header, palette and row inside the image.
bool checkBitmapImage(const std::uint8_t* data, std::size_t size, BitmapFileInfo* info);

// The picture in the file's own pixel format (palettised pictures as 8-bit
// indexed), blending off; null when the file is missing, unreadable or
// refused. `bitsPerPixel` receives the depth the file declares.
SDL_Surface* loadBitmapFile(const char* fileName, int* bitsPerPixel);
