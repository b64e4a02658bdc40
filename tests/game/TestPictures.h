#pragma once

// Tiny pictures of our own, each a solid block of one colour, written into a
// private folder so that what a frame shows can be read back pixel by pixel.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace pictures {

// RGB values, red in the low byte.
constexpr std::uint32_t kMagenta = 0xff00ff;
constexpr std::uint32_t kBackground = 0x400000;
constexpr std::uint32_t kShip = 0x00ffff;
constexpr std::uint32_t kPoopy = 0x0080ff;
constexpr std::uint32_t kPukey = 0x80ff80;
constexpr std::uint32_t kDrippy = 0xff8000;
constexpr std::uint32_t kPlayerBullet = 0xffffff;
constexpr std::uint32_t kPoopBullet = 0x0000ff;
constexpr std::uint32_t kPukeBullet = 0x00ff80;
constexpr std::uint32_t kDripBullet = 0xff0000;
constexpr std::uint32_t kGetReady = 0xc0c0c0;
constexpr std::uint32_t kPaused = 0x808080;
constexpr std::uint32_t kBird = 0xc08040;
constexpr std::uint32_t kOstrelwyn = 0x004080;
constexpr std::uint32_t kPresents = 0x408000;
constexpr std::uint32_t kTitle = 0xc0c000;
constexpr std::uint32_t kSpace = 0x00c0c0;
constexpr std::uint32_t kGameOver = 0xc04000;
constexpr std::uint32_t kBunker = 0x00ff00;

inline std::uint32_t digitColour(int digit) {
    return 0x302000u | static_cast<std::uint32_t>(0x10 * (digit + 1));
}

// A 24-bit bottom-up .bmp file.
inline void writeBmp(const std::string& path, int width, int height,
                     const std::function<std::uint32_t(int, int)>& colourAt) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::vector<unsigned char> file(54 + imageBytes, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + static_cast<std::size_t>(height - 1 - y) * rowBytes];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = colourAt(x, y);
            row[3 * x] = static_cast<unsigned char>(rgb >> 16);
            row[3 * x + 1] = static_cast<unsigned char>(rgb >> 8);
            row[3 * x + 2] = static_cast<unsigned char>(rgb);
        }
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

inline void writeSolid(const std::string& dir, const char* name, int width, int height,
                       std::uint32_t rgb) {
    writeBmp(dir + "/" + name, width, height, [rgb](int, int) { return rgb; });
}

// The folder holding every picture the game loads, written once per run.
inline const std::string& folder() {
    static const std::string dir = [] {
        char path[] = "/tmp/zorbanix-game-XXXXXX";
        if (mkdtemp(path) == nullptr) std::abort();
        const std::string d = path;
        // Pictures cut from (2, 2) get a margin of the same colour.
        writeSolid(d, "nanite.bmp", 27, 21, kShip);
        writeSolid(d, "poopy.bmp", 29, 21, kPoopy);
        writeSolid(d, "pukey.bmp", 29, 21, kPukey);
        writeSolid(d, "drippy.bmp", 29, 21, kDrippy);
        writeSolid(d, "pbullet.bmp", 3, 11, kPlayerBullet);
        writeSolid(d, "poopbullet.bmp", 3, 11, kPoopBullet);
        writeSolid(d, "pukebullet.bmp", 3, 11, kPukeBullet);
        writeSolid(d, "dripbullet.bmp", 3, 11, kDripBullet);
        writeSolid(d, "background.bmp", 787, 600, kBackground);
        writeSolid(d, "getready.bmp", 266, 32, kGetReady);
        writeSolid(d, "paused.bmp", 142, 21, kPaused);
        writeSolid(d, "bird.bmp", 187, 103, kBird);
        writeSolid(d, "ostrelwyn.bmp", 332, 48, kOstrelwyn);
        writeSolid(d, "presents.bmp", 130, 16, kPresents);
        writeSolid(d, "title.bmp", 370, 48, kTitle);
        writeSolid(d, "space.bmp", 165, 26, kSpace);
        writeSolid(d, "gameover.bmp", 481, 554, kGameOver);
        // Digit i fills the block at (1 + 16 i, 1); the margins are keyed away.
        writeBmp(d + "/numbers.bmp", 161, 14, [](int x, int y) {
            const int digit = (x - 1) / 16;
            const bool inBlock = x >= 1 && y >= 1 && y < 14 && (x - 1) % 16 < 15;
            return inBlock ? digitColour(digit) : kMagenta;
        });
        return d;
    }();
    return dir;
}

// Runs the test inside the picture folder, since the game loads pictures by
// bare file name.
class InPictureFolder {
public:
    InPictureFolder() {
        if (getcwd(previous_, sizeof previous_) == nullptr) previous_[0] = '\0';
        if (chdir(folder().c_str()) != 0) std::abort();
    }
    ~InPictureFolder() {
        if (previous_[0] != '\0' && chdir(previous_) != 0) std::abort();
    }
    InPictureFolder(const InPictureFolder&) = delete;
    InPictureFolder& operator=(const InPictureFolder&) = delete;

private:
    char previous_[4096];
};

}  // namespace pictures
