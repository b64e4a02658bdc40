#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Image.h"
#include "png/PngFile.h"

// An icon at one size: size x size pixels as r, g, b, a bytes (straight
// alpha), row 0 at the top.
struct IconImage {
    int size = 0;
    std::vector<std::uint8_t> rgba;
};

// The art at `size` pixels square: each output pixel is the average of the
// art's pixels under it, weighted by how much of each it covers, with key
// pixels counted as transparent. Whole multiples of the art's size stay
// sharp.
IconImage scaleIcon(const Image& art, int size);

// The image as PNG file bytes. False, with the reason, when libpng fails.
bool encodePng(const IconImage& image, std::vector<std::uint8_t>* png, std::string* error);

// A Windows .ico holding the images: 256 pixels as PNG, smaller sizes as
// 32-bit bitmaps with their transparency mask, which every version of
// Windows reads.
bool encodeIco(const std::vector<IconImage>& images, std::vector<std::uint8_t>* ico,
               std::string* error);
