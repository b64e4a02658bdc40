#include "bmp/BmpWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteEntries = 256;
// 72 dots per inch, which is what paint programs write.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

int bitsPerPixel(PictureLayout layout) {
    switch (layout) {
        case PictureLayout::Palette8:
            return 8;
        case PictureLayout::Bits32:
            return 32;
        default:
            return 24;
    }
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(PictureLayout layout, int width, int height,
                                    const ColourAt& colourAt) {
    const int bits = bitsPerPixel(layout);
    const bool topDown = layout == PictureLayout::TopDown24;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> pixels;
    const std::size_t rowBytes = static_cast<std::size_t>((width * bits + 31) / 32) * 4;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const std::size_t rowStart = pixels.size();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = colourAt(x, y);
            // The file stores blue, green, red: the COLORREF's bytes reversed.
            const std::uint32_t bgr = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
            if (bits == 8) {
                std::size_t index = 0;
                while (index < palette.size() && palette[index] != bgr) ++index;
                if (index == palette.size()) palette.push_back(bgr);
                pixels.push_back(static_cast<std::uint8_t>(index));
            } else {
                putLittleEndian(pixels, bits == 32 ? (bgr | 0xFF000000u) : bgr, bits / 8);
            }
        }
        pixels.resize(rowStart + rowBytes, 0);
    }

    const std::uint32_t paletteBytes = bits == 8 ? kPaletteEntries * 4 : 0;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
    const auto pixelBytes = static_cast<std::uint32_t>(pixels.size());
    std::vector<std::uint8_t> image = {'B', 'M'};
    image.reserve(offset + pixelBytes);
    putLittleEndian(image, offset + pixelBytes, 4);
    putLittleEndian(image, 0, 4);  // reserved
    putLittleEndian(image, offset, 4);

    putLittleEndian(image, kInfoHeaderSize, 4);
    putLittleEndian(image, static_cast<std::uint32_t>(width), 4);
    // A positive height stores the bottom row first.
    putLittleEndian(image, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    putLittleEndian(image, 1, 2);  // planes
    putLittleEndian(image, static_cast<std::uint32_t>(bits), 2);
    putLittleEndian(image, 0, 4);  // BI_RGB: uncompressed
    putLittleEndian(image, pixelBytes, 4);
    putLittleEndian(image, kPixelsPerMetre, 4);
    putLittleEndian(image, kPixelsPerMetre, 4);
    putLittleEndian(image, bits == 8 ? kPaletteEntries : 0, 4);  // colours used
    putLittleEndian(image, 0, 4);                                // important colours
    if (bits == 8) {
        palette.resize(kPaletteEntries, 0);
        for (std::uint32_t bgr : palette) putLittleEndian(image, bgr, 4);
    }
    image.insert(image.end(), pixels.begin(), pixels.end());
    return image;
}

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                    std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    bool complete =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // A failed close can mean that buffered bytes never reached the disk.
    if (std::fclose(file) != 0) complete = false;
    if (!complete) {
        if (error) *error = path + ": could not write the whole file";
        std::remove(path.c_str());
        return false;
    }
    return true;
}

bool writeBmp(const std::string& path, PictureLayout layout, int width, int height,
              const ColourAt& colourAt, std::string* error) {
    return writeWholeFile(path, encodeBmp(layout, width, height, colourAt), error);
}
