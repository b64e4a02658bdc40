#include "platform/sdl/software/BitmapFile.h"

#include <cstdio>
#include <limits>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kLargestFile = 64u << 20;
constexpr std::int64_t kLargestSide = 16384;

constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRunLength8 = 1;
constexpr std::uint32_t kRunLength4 = 2;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t word16(const std::uint8_t* p) { return p[0] | static_cast<std::uint32_t>(p[1]) << 8; }

std::uint32_t word32(const std::uint8_t* p) {
    return word16(p) | static_cast<std::uint32_t>(word16(p + 2)) << 16;
}

bool knownInfoHeader(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool compressionFits(std::uint32_t compression, int bits, bool topDown) {
    switch (compression) {
        case kUncompressed:
            return true;
        case kRunLength8:
            return bits == 8 && !topDown;
        case kRunLength4:
            return bits == 4 && !topDown;
        case kBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

bool readWholeFile(const char* fileName, std::vector<std::uint8_t>* bytes) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) return false;
    std::uint8_t chunk[16384];
    bool fits = true;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (got == 0) break;
        if (bytes->size() + got > kLargestFile) {
            fits = false;
            break;
        }
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return fits && !failed;
}

// Every palette index must name a colour the palette has.
bool indicesInPalette(const SDL_Surface* picture) {
    const SDL_Palette* palette = picture->format->palette;
    if (!palette) return true;
    for (int y = 0; y < picture->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(picture->pixels) + y * picture->pitch;
        for (int x = 0; x < picture->w; ++x) {
            if (row[x] >= palette->ncolors) return false;
        }
    }
    return true;
}

}  // namespace

bool checkBitmapImage(const std::uint8_t* data, std::size_t size, BitmapFileInfo* info) {
    if (size < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint32_t pixelOffset = word32(data + 10);
    const std::uint32_t infoSize = word32(data + 14);
    if (!knownInfoHeader(infoSize) || kFileHeaderSize + infoSize > size) return false;

    const std::uint8_t* header = data + kFileHeaderSize;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    int bits = 0;
    std::uint32_t compression = kUncompressed;
    std::uint32_t coloursUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (infoSize == 12) {
        width = word16(header + 4);
        height = word16(header + 6);
        planes = word16(header + 8);
        bits = static_cast<int>(word16(header + 10));
        paletteEntrySize = 3;
    } else {
        width = static_cast<std::int32_t>(word32(header + 4));
        height = static_cast<std::int32_t>(word32(header + 8));
        planes = word16(header + 12);
        bits = static_cast<int>(word16(header + 14));
        compression = word32(header + 16);
        coloursUsed = word32(header + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width < 1 || width > kLargestSide || height < 1 || height > kLargestSide) return false;
    if (planes != 1) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return false;
    }
    if (!compressionFits(compression, bits, topDown)) return false;

    // The masks of a bit-field picture follow a 40-byte header; the palette
    // follows the header (and masks).
    std::size_t tablesEnd = kFileHeaderSize + infoSize;
    if (compression == kBitFields && infoSize == 40) tablesEnd += 12;
    if (bits <= 8) {
        const std::uint32_t paletteSize = 1u << bits;
        if (coloursUsed > paletteSize) return false;
        tablesEnd += (coloursUsed ? coloursUsed : paletteSize) * paletteEntrySize;
    }
    if (tablesEnd > size) return false;
    if (pixelOffset < kFileHeaderSize + infoSize || pixelOffset >= size) return false;

    if (compression == kUncompressed || compression == kBitFields) {
        const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
        if (pixelOffset + rowBytes * height > static_cast<std::int64_t>(size)) return false;
    }
    if (info) {
        info->width = static_cast<int>(width);
        info->height = static_cast<int>(height);
        info->bitsPerPixel = bits;
        info->topDown = topDown;
    }
    return true;
}

SDL_Surface* loadBitmapFile(const char* fileName, int* bitsPerPixel) {
    if (!fileName) return nullptr;
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(fileName, &bytes)) return nullptr;
    BitmapFileInfo info;
    if (!checkBitmapImage(bytes.data(), bytes.size(), &info)) return nullptr;
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return nullptr;

    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!stream) return nullptr;
    SDL_Surface* picture = SDL_LoadBMP_RW(stream, 1);
    if (!picture) return nullptr;
    if (picture->w != info.width || picture->h != info.height || !indicesInPalette(picture)) {
        SDL_FreeSurface(picture);
        return nullptr;
    }
    // Copies out of a picture replace the destination's pixels, whatever
    // alpha a 32-bit file carries.
    SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
    if (bitsPerPixel) *bitsPerPixel = info.bitsPerPixel;
    return picture;
}
