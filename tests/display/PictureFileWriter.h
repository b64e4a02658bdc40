#pragma once

// Writes Windows bitmap files of several layouts from a colour function, into
// a temporary directory that is removed with its files afterwards. Builds for
// Linux and for Windows, where the pixel tests also run.

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

enum class PictureLayout { BottomUp24, TopDown24, Palette8, Bits32 };

using ColourAt = std::function<std::uint32_t(int x, int y)>;  // COLORREF packing

inline void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The file image; an 8-bit picture gets a palette of the colours it uses.
inline std::vector<std::uint8_t> pictureImage(PictureLayout layout, int width, int height,
                                              const ColourAt& colourAt) {
    const int bits = layout == PictureLayout::Palette8 ? 8
                     : layout == PictureLayout::Bits32 ? 32
                                                       : 24;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> pixels;
    const int rowBytes = (width * bits + 31) / 32 * 4;
    for (int row = 0; row < height; ++row) {
        const int y = layout == PictureLayout::TopDown24 ? row : height - 1 - row;
        const std::size_t rowStart = pixels.size();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = colourAt(x, y);
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
    const std::uint32_t paletteBytes = bits == 8 ? 256 * 4 : 0;
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<std::uint8_t> image = {'B', 'M'};
    putLittleEndian(image, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    putLittleEndian(image, 0, 4);
    putLittleEndian(image, offset, 4);
    putLittleEndian(image, 40, 4);
    putLittleEndian(image, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(
        image, static_cast<std::uint32_t>(layout == PictureLayout::TopDown24 ? -height : height),
        4);
    putLittleEndian(image, 1, 2);
    putLittleEndian(image, static_cast<std::uint32_t>(bits), 2);
    putLittleEndian(image, 0, 4);  // uncompressed
    putLittleEndian(image, static_cast<std::uint32_t>(pixels.size()), 4);
    putLittleEndian(image, 2835, 4);
    putLittleEndian(image, 2835, 4);
    putLittleEndian(image, bits == 8 ? 256 : 0, 4);
    putLittleEndian(image, 0, 4);
    if (bits == 8) {
        palette.resize(256, 0);
        for (std::uint32_t bgr : palette) putLittleEndian(image, bgr, 4);
    }
    image.insert(image.end(), pixels.begin(), pixels.end());
    return image;
}

// A fresh directory of its own under the system's temporary directory;
// empty when none could be made.
inline std::string makeTemporaryDirectory() {
#ifdef _WIN32
    const char* base = std::getenv("TEMP");
    std::string parent = base && *base ? base : ".";
    // _mktemp_s picks a name free at that moment; another process may make it
    // before _mkdir does, so a few attempts are made.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string pattern = parent + "\\zorbanix-pixels-XXXXXX";
        if (_mktemp_s(&pattern[0], pattern.size() + 1) != 0) return {};
        if (_mkdir(pattern.c_str()) == 0) return pattern;
    }
    return {};
#else
    char pattern[] = "/tmp/zorbanix-pixels-XXXXXX";
    return mkdtemp(pattern) ? std::string(pattern) : std::string();
#endif
}

inline void removeEmptyDirectory(const std::string& directory) {
#ifdef _WIN32
    _rmdir(directory.c_str());
#else
    rmdir(directory.c_str());
#endif
}

class PictureDirectory {
public:
    PictureDirectory() : directory_(makeTemporaryDirectory()) {}
    ~PictureDirectory() {
        for (const std::string& file : files_) std::remove(file.c_str());
        if (!directory_.empty()) removeEmptyDirectory(directory_);
    }
    PictureDirectory(const PictureDirectory&) = delete;
    PictureDirectory& operator=(const PictureDirectory&) = delete;

    // The full path of the written file; empty when it could not be written.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        // Without a directory of its own it writes nowhere, rather than at the root.
        if (directory_.empty()) return {};
        const std::string path = directory_ + "/" + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) return {};
        files_.push_back(path);
        const bool written =
            bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written ? path : std::string();
    }
    std::string write(const std::string& name, PictureLayout layout, int width, int height,
                      const ColourAt& colourAt) {
        return write(name, pictureImage(layout, width, height, colourAt));
    }
    std::string pathOf(const std::string& name) const { return directory_ + "/" + name; }

private:
    std::string directory_;
    std::vector<std::string> files_;
};
