#pragma once

// Stand-in pictures for tests that run the game: every picture file the game
// opens, each one solid in a colour of its own at exactly the size the game
// cuts from it, written into a fresh working directory. A frame then tells
// which pictures it shows by the colours at their positions.
// Header-only: SDL and the C library only.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct TestPicture {
    const char* file;
    int width;
    int height;
    std::uint32_t rgb;  // red in bits 0-7, green 8-15, blue 16-23
};

// Channel values are multiples of 8 so that they survive 5-bit channels, and
// far from magenta, which is transparent.
inline const std::vector<TestPicture>& testPictures() {
    static const std::vector<TestPicture> pictures = {
        {"nanite.bmp", 25, 19, 0x00C0C0},       {"poopy.bmp", 27, 19, 0x004080},
        {"pukey.bmp", 27, 19, 0x00C040},        {"drippy.bmp", 27, 19, 0xC08000},
        {"poopbullet.bmp", 3, 11, 0x0080C0},    {"pukebullet.bmp", 3, 11, 0x40C080},
        {"dripbullet.bmp", 3, 11, 0xC0C000},    {"pbullet.bmp", 3, 11, 0xF8F8F8},
        {"background.bmp", 787, 600, 0x400000}, {"numbers.bmp", 161, 14, 0x80F8F8},
        {"getready.bmp", 266, 32, 0x00F800},    {"paused.bmp", 142, 21, 0x0000F8},
        {"bird.bmp", 187, 103, 0x808000},       {"ostrelwyn.bmp", 332, 48, 0x008080},
        {"presents.bmp", 130, 16, 0x800080},    {"title.bmp", 370, 48, 0x40F8C0},
        {"space.bmp", 165, 26, 0xC04000},       {"gameover.bmp", 481, 554, 0x202080},
    };
    return pictures;
}

inline std::uint32_t testPictureColour(const std::string& file) {
    for (const TestPicture& p : testPictures()) {
        if (file == p.file) return p.rgb;
    }
    return 0;
}

// A solid 24-bit bottom-up Windows bitmap.
inline bool writeSolidBmp(const std::string& path, int width, int height, std::uint32_t rgb) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    auto put16 = [f](std::uint32_t v) {
        std::fputc(static_cast<int>(v & 0xFF), f);
        std::fputc(static_cast<int>((v >> 8) & 0xFF), f);
    };
    auto put32 = [&put16](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    std::fputc('B', f);
    std::fputc('M', f);
    put32(54 + imageBytes);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);
    put32(imageBytes);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    std::vector<unsigned char> row(rowBytes, 0);
    for (int x = 0; x < width; ++x) {
        row[x * 3 + 0] = static_cast<unsigned char>((rgb >> 16) & 0xFF);
        row[x * 3 + 1] = static_cast<unsigned char>((rgb >> 8) & 0xFF);
        row[x * 3 + 2] = static_cast<unsigned char>(rgb & 0xFF);
    }
    for (int y = 0; y < height; ++y) std::fwrite(row.data(), 1, row.size(), f);
    const bool ok = !std::ferror(f);
    return std::fclose(f) == 0 && ok;
}

// Makes a temporary directory holding every test picture the working
// directory for its lifetime; removes it afterwards.
class ScopedTestPictures {
public:
    ScopedTestPictures() {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd)) previous_ = cwd;
        char pattern[] = "/tmp/zorbanix-pictures-XXXXXX";
        if (!mkdtemp(pattern)) return;
        directory_ = pattern;
        ok_ = true;
        for (const TestPicture& p : testPictures()) {
            ok_ = writeSolidBmp(directory_ + "/" + p.file, p.width, p.height, p.rgb) && ok_;
        }
        ok_ = chdir(directory_.c_str()) == 0 && ok_;
    }
    ~ScopedTestPictures() {
        if (!previous_.empty() && chdir(previous_.c_str()) != 0) return;
        if (directory_.empty()) return;
        for (const TestPicture& p : testPictures()) {
            std::remove((directory_ + "/" + p.file).c_str());
        }
        rmdir(directory_.c_str());
    }
    ScopedTestPictures(const ScopedTestPictures&) = delete;
    ScopedTestPictures& operator=(const ScopedTestPictures&) = delete;

    bool ok() const { return ok_; }
    const std::string& directory() const { return directory_; }

private:
    std::string previous_;
    std::string directory_;
    bool ok_ = false;
};
