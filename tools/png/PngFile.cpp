#include "PngFile.h"

#include <png.h>

#include <cstdio>

namespace {

void appendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// libpng reports errors by jumping back to the setjmp point; this function
// holds no object with a destructor, so nothing is skipped by the jump.
bool encodeRows(int width, int height, int colourType, png_bytep* rows,
                std::vector<std::uint8_t>* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, appendPng, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool encodePng(int width, int height, int channels, const std::vector<std::uint8_t>& pixels,
               std::vector<std::uint8_t>* png, std::string* error) {
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    if (width <= 0 || height <= 0 || (channels != 3 && channels != 4) ||
        pixels.size() != stride * static_cast<std::size_t>(height)) {
        if (error) *error = "pixel count does not match the size";
        return false;
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = const_cast<png_bytep>(pixels.data() + y * stride);
    }
    png->clear();
    const int colourType = channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    if (!encodeRows(width, height, colourType, rows.data(), png)) {
        if (error) *error = "libpng could not encode the image";
        return false;
    }
    return true;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
               std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0) written = false;
    if (!written) {
        if (error) *error = path + ": cannot write";
        std::remove(path.c_str());
    }
    return written;
}

bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
              std::string* error) {
    std::vector<std::uint8_t> png;
    if (!encodePng(width, height, 3, rgb, &png, error)) {
        if (error) *error = path + ": " + *error;
        return false;
    }
    return writeFile(path, png, error);
}
