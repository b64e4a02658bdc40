#pragma once

#include <vector>

#include "Colour.h"

// A picture being painted: width x height colours, row 0 at the top.
class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Outside the picture reads as the key and writes are dropped, so that
    // painters may run over the edges.
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb colour);
    void fillRect(int x, int y, int width, int height, Rgb colour);

    // Paints `source` with its top-left corner at (x, y), each source pixel
    // as a scale x scale block; key pixels of the source are left out.
    void draw(const Image& source, int x, int y, int scale = 1);
    // The same, mirrored left to right.
    void drawMirrored(const Image& source, int x, int y, int scale = 1);

    Image crop(int x, int y, int width, int height) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};
