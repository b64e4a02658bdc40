#pragma once

// Stand-in pictures for tests that run the game: every picture file the game
// opens, each a solid block in a colour of its own, written into a fresh
// temporary directory that is the working directory while the test runs. A
// frame then tells which pictures it shows by the colours at their places.
// The digits are the one picture of many colours: each digit has its own, so
// that a score can be read back off the screen.

#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/PictureDirectory.h"

namespace pictures {

// RGB values in the COLORREF packing, red in the low byte. Magenta is the
// transparent colour; the bunkers are filled, not drawn from a picture.
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

// Each digit of numbers.bmp has a colour of its own; the picture's colour as
// a whole is its 0's, the digit that the score's first places show.
constexpr std::uint32_t digitColour(int digit) {
    return 0x302000u | static_cast<std::uint32_t>(0x10 * (digit + 1));
}
constexpr std::uint32_t kNumbers = digitColour(0);

}  // namespace pictures

struct TestPicture {
    const char* file;
    int width;
    int height;
    // The whole picture's colour (for numbers.bmp, kNumbers).
    std::uint32_t rgb;
};

// Pictures that the game cuts from (2, 2) get a margin of the same colour.
inline const std::vector<TestPicture>& testPictures() {
    using namespace pictures;
    static const std::vector<TestPicture> all = {
        {"nanite.bmp", 27, 21, kShip},          {"poopy.bmp", 29, 21, kPoopy},
        {"pukey.bmp", 29, 21, kPukey},          {"drippy.bmp", 29, 21, kDrippy},
        {"pbullet.bmp", 3, 11, kPlayerBullet},  {"poopbullet.bmp", 3, 11, kPoopBullet},
        {"pukebullet.bmp", 3, 11, kPukeBullet}, {"dripbullet.bmp", 3, 11, kDripBullet},
        {"numbers.bmp", 161, 14, kNumbers},     {"background.bmp", 787, 600, kBackground},
        {"getready.bmp", 266, 32, kGetReady},   {"paused.bmp", 142, 21, kPaused},
        {"bird.bmp", 187, 103, kBird},          {"ostrelwyn.bmp", 332, 48, kOstrelwyn},
        {"presents.bmp", 130, 16, kPresents},   {"title.bmp", 370, 48, kTitle},
        {"space.bmp", 165, 26, kSpace},         {"gameover.bmp", 481, 554, kGameOver},
    };
    return all;
}

inline std::uint32_t testPictureColour(const std::string& file) {
    for (const TestPicture& p : testPictures()) {
        if (file == p.file) return p.rgb;
    }
    return 0;
}

// The colour of pixel (x, y) of a test picture. Digit i of numbers.bmp fills
// the block at (1 + 16 i, 1); the margins around the blocks are keyed away.
inline std::uint32_t testPictureColourAt(const TestPicture& picture, int x, int y) {
    if (std::string(picture.file) != "numbers.bmp") return picture.rgb;
    const bool inBlock = x >= 1 && y >= 1 && y < 14 && (x - 1) % 16 < 15;
    return inBlock ? pictures::digitColour((x - 1) / 16) : pictures::kMagenta;
}

// Writes every test picture into a fresh temporary directory and makes it the
// working directory for the object's lifetime, since the game loads its
// pictures by bare file name; afterwards the directory goes with its files.
class ScopedTestPictures {
public:
    ScopedTestPictures() {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd)) previous_ = cwd;
        if (files_.directory().empty()) return;
        ok_ = true;
        for (const TestPicture& p : testPictures()) {
            const ColourAt colourAt = [&p](int x, int y) { return testPictureColourAt(p, x, y); };
            ok_ = !files_.write(p.file, PictureLayout::BottomUp24, p.width, p.height, colourAt)
                       .empty() &&
                  ok_;
        }
        ok_ = chdir(files_.directory().c_str()) == 0 && ok_;
    }
    // Back to the directory the test started in, before the files go.
    ~ScopedTestPictures() {
        if (!previous_.empty() && chdir(previous_.c_str()) != 0) previous_.clear();
    }
    ScopedTestPictures(const ScopedTestPictures&) = delete;
    ScopedTestPictures& operator=(const ScopedTestPictures&) = delete;

    bool ok() const { return ok_; }
    const std::string& directory() const { return files_.directory(); }

private:
    std::string previous_;
    PictureDirectory files_;
    bool ok_ = false;
};
