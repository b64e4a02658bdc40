#include "BmpFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// 72 dots per inch, which is what paint programs write.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void put16(std::vector<unsigned char>& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::vector<unsigned char> encodeBmp(const Image& image) {
    const std::uint32_t width = static_cast<std::uint32_t>(image.width());
    const std::uint32_t height = static_cast<std::uint32_t>(image.height());
    // Every row is padded to a whole number of 32-bit words.
    const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * height;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<unsigned char> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixelBytes);
    put32(out, 0);  // reserved
    put32(out, offset);

    put32(out, kInfoHeaderSize);
    put32(out, width);
    put32(out, height);  // positive: the first stored row is the bottom one
    put16(out, 1);       // planes
    put16(out, 24);      // bits per pixel
    put32(out, 0);       // BI_RGB, no compression
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used: none, there is no palette
    put32(out, 0);  // important colours

    for (int y = image.height() - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < image.width(); ++x) {
            Rgb colour = image.at(x, y);
            out.push_back(static_cast<unsigned char>(blueOf(colour)));
            out.push_back(static_cast<unsigned char>(greenOf(colour)));
            out.push_back(static_cast<unsigned char>(redOf(colour)));
            written += 3;
        }
        for (; written < rowBytes; ++written) out.push_back(0);
    }
    return out;
}

bool writeBmp(const std::string& path, const Image& image, std::string* error) {
    std::vector<unsigned char> bytes = encodeBmp(image);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    bool complete = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // A failed close can mean that buffered bytes never reached the disk.
    if (std::fclose(file) != 0) complete = false;
    if (!complete) {
        if (error) *error = path + ": could not write the whole file";
        std::remove(path.c_str());
        return false;
    }
    return true;
}
