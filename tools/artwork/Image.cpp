#include "Image.h"

Image::Image(int width, int height, Rgb fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Rgb Image::at(int x, int y) const {
    if (!contains(x, y)) return kKey;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Image::set(int x, int y, Rgb colour) {
    if (!contains(x, y)) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = colour;
}

void Image::fillRect(int x, int y, int width, int height, Rgb colour) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) set(column, row, colour);
    }
}

void Image::draw(const Image& source, int x, int y, int scale) {
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            Rgb colour = source.at(sx, sy);
            if (colour == kKey) continue;
            fillRect(x + sx * scale, y + sy * scale, scale, scale, colour);
        }
    }
}

void Image::drawMirrored(const Image& source, int x, int y, int scale) {
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            Rgb colour = source.at(source.width() - 1 - sx, sy);
            if (colour == kKey) continue;
            fillRect(x + sx * scale, y + sy * scale, scale, scale, colour);
        }
    }
}

Image Image::crop(int x, int y, int width, int height) const {
    Image part(width, height, kKey);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            part.set(column, row, at(x + column, y + row));
        }
    }
    return part;
}
