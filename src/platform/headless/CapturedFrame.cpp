#include "platform/headless/CapturedFrame.h"

#include <cstdio>
#include <cstring>

namespace {

std::uint32_t widen5(std::uint32_t v) { return (v << 3) | (v >> 2); }
std::uint32_t widen6(std::uint32_t v) { return (v << 2) | (v >> 4); }

void put16(std::FILE* f, std::uint32_t v) {
    std::fputc(static_cast<int>(v & 0xFF), f);
    std::fputc(static_cast<int>((v >> 8) & 0xFF), f);
}

void put32(std::FILE* f, std::uint32_t v) {
    put16(f, v & 0xFFFF);
    put16(f, v >> 16);
}

}  // namespace

std::uint16_t CapturedFrame::raw(int x, int y) const {
    if (!pixels || x < 0 || y < 0 || x >= kWidth || y >= kHeight) return 0;
    return (*pixels)[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
}

std::uint32_t CapturedFrame::rgb(int x, int y) const {
    const std::uint32_t p = raw(x, y);
    std::uint32_t r = 0;
    std::uint32_t g = 0;
    std::uint32_t b = 0;
    if (layout == PixelLayout::Rgb565) {
        r = widen5((p >> 11) & 0x1F);
        g = widen6((p >> 5) & 0x3F);
        b = widen5(p & 0x1F);
    } else {
        r = widen5((p >> 10) & 0x1F);
        g = widen5((p >> 5) & 0x1F);
        b = widen5(p & 0x1F);
    }
    return r | (g << 8) | (b << 16);
}

std::uint16_t CapturedFrame::rawOf(std::uint32_t rgb) const {
    // The low bits are dropped, as the display does when it maps a colour.
    const std::uint32_t r = rgb & 0xFF;
    const std::uint32_t g = (rgb >> 8) & 0xFF;
    const std::uint32_t b = (rgb >> 16) & 0xFF;
    if (layout == PixelLayout::Rgb565) {
        return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    }
    return static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

int CapturedFrame::litPixels(int left, int top, int width, int height) const {
    int lit = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            if (raw(x, y) != 0) ++lit;
        }
    }
    return lit;
}

bool CapturedFrame::saveBmp(const char* path) const {
    if (!pixels || !path) return false;
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const std::uint32_t rowBytes = kWidth * 3;  // 2400: already a multiple of 4
    const std::uint32_t imageBytes = rowBytes * kHeight;
    std::fputc('B', f);
    std::fputc('M', f);
    put32(f, 54 + imageBytes);
    put32(f, 0);
    put32(f, 54);
    put32(f, 40);
    put32(f, kWidth);
    put32(f, kHeight);  // positive: bottom-up
    put16(f, 1);
    put16(f, 24);
    put32(f, 0);
    put32(f, imageBytes);
    put32(f, 2835);
    put32(f, 2835);
    put32(f, 0);
    put32(f, 0);
    std::vector<unsigned char> row(rowBytes);
    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t c = rgb(x, y);
            row[x * 3 + 0] = static_cast<unsigned char>((c >> 16) & 0xFF);
            row[x * 3 + 1] = static_cast<unsigned char>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<unsigned char>(c & 0xFF);
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    const bool ok = !std::ferror(f);
    return std::fclose(f) == 0 && ok;
}

bool samePixels(const CapturedFrame& a, const CapturedFrame& b) {
    if (!a.pixels || !b.pixels) return false;
    if (a.pixels == b.pixels) return true;
    return *a.pixels == *b.pixels;
}
