#include "XwdFile.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

// The dump's header: 25 32-bit fields, always most significant byte first,
// then the window name, then the colour table, then the pixels.
enum Field {
    kHeaderSize,
    kFileVersion,
    kPixmapFormat,
    kPixmapDepth,
    kPixmapWidth,
    kPixmapHeight,
    kXOffset,
    kByteOrder,
    kBitmapUnit,
    kBitmapBitOrder,
    kBitmapPad,
    kBitsPerPixel,
    kBytesPerLine,
    kVisualClass,
    kRedMask,
    kGreenMask,
    kBlueMask,
    kBitsPerRgb,
    kColourMapEntries,
    kColourCount,
    kFieldCount = 25
};
constexpr std::uint32_t kZPixmap = 2;
constexpr std::uint32_t kTrueColour = 4;
constexpr std::uint32_t kDirectColour = 5;
constexpr std::size_t kColourEntrySize = 12;

std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

int lowestBit(std::uint32_t mask) {
    int shift = 0;
    while (shift < 32 && !(mask & (1u << shift))) ++shift;
    return shift;
}

int bitCount(std::uint32_t mask) {
    int count = 0;
    for (; mask; mask &= mask - 1) ++count;
    return count;
}

// One channel of a pixel, cut or widened to `bits` bits.
std::uint32_t channel(std::uint32_t pixel, std::uint32_t mask, int bits) {
    const int width = bitCount(mask);
    const std::uint32_t value = (pixel & mask) >> lowestBit(mask);
    if (width >= bits) return value >> (width - bits);
    return value << (bits - width);
}

bool fail(std::string* error, const std::string& path, const char* why) {
    if (error) *error = path + ": " + why;
    return false;
}

}  // namespace

bool readXwd(const std::string& path, CapturedFrame* frame, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(error, path, "cannot open");
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < kFieldCount * 4) return fail(error, path, "too short for a dump header");
    std::uint32_t h[kFieldCount];
    for (int i = 0; i < kFieldCount; ++i)
        h[i] = bigEndian32(&bytes[static_cast<std::size_t>(i) * 4]);

    if (h[kFileVersion] != 7 || h[kPixmapFormat] != kZPixmap) {
        return fail(error, path, "not a version 7 ZPixmap dump");
    }
    if (h[kVisualClass] != kTrueColour && h[kVisualClass] != kDirectColour) {
        return fail(error, path, "not a true-colour screen");
    }
    const std::uint32_t bpp = h[kBitsPerPixel];
    if (bpp != 16 && bpp != 24 && bpp != 32) return fail(error, path, "unsupported pixel size");
    if (!h[kRedMask] || !h[kGreenMask] || !h[kBlueMask]) {
        return fail(error, path, "no channel masks");
    }
    const std::uint32_t width = h[kPixmapWidth], height = h[kPixmapHeight];
    if (width < CapturedFrame::kWidth || height < CapturedFrame::kHeight) {
        return fail(error, path, "smaller than 800 x 600");
    }
    const std::uint64_t bytesPerPixel = bpp / 8;
    const std::uint64_t lineBytes = h[kBytesPerLine];
    if (lineBytes < width * bytesPerPixel) return fail(error, path, "lines shorter than the width");
    const std::uint64_t pixelStart =
        std::uint64_t{h[kHeaderSize]} + std::uint64_t{h[kColourCount]} * kColourEntrySize;
    // Only the rows the frame takes need to be there.
    const std::uint64_t needed = pixelStart + lineBytes * (CapturedFrame::kHeight - 1) +
                                 bytesPerPixel * CapturedFrame::kWidth;
    if (h[kHeaderSize] < kFieldCount * 4 || needed > bytes.size()) {
        return fail(error, path, "pixels cut short");
    }

    const bool mostSignificantFirst = h[kByteOrder] == 1;
    auto pixels = std::make_shared<std::vector<std::uint16_t>>(
        static_cast<std::size_t>(CapturedFrame::kWidth) * CapturedFrame::kHeight);
    for (int y = 0; y < CapturedFrame::kHeight; ++y) {
        const unsigned char* row = &bytes[pixelStart + lineBytes * static_cast<std::uint64_t>(y)];
        for (int x = 0; x < CapturedFrame::kWidth; ++x) {
            const unsigned char* p = row + bytesPerPixel * static_cast<std::uint64_t>(x);
            std::uint32_t pixel = 0;
            for (std::uint64_t i = 0; i < bytesPerPixel; ++i) {
                const std::uint64_t at = mostSignificantFirst ? i : bytesPerPixel - 1 - i;
                pixel = (pixel << 8) | p[at];
            }
            const std::uint32_t r = channel(pixel, h[kRedMask], 5);
            const std::uint32_t g = channel(pixel, h[kGreenMask], 6);
            const std::uint32_t b = channel(pixel, h[kBlueMask], 5);
            (*pixels)[static_cast<std::size_t>(y) * CapturedFrame::kWidth +
                      static_cast<std::size_t>(x)] =
                static_cast<std::uint16_t>((r << 11) | (g << 5) | b);
        }
    }
    frame->layout = PixelLayout::Rgb565;
    frame->pixels = std::move(pixels);
    return true;
}
