// Paints every picture of the game and writes them as .bmp files into the
// folder given on the command line. Refuses to write anything when a source
// is malformed or a visible pixel would turn transparent on a 16-bit display.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "KeyGuard.h"
#include "Pictures.h"
#include "bmp/BmpWriter.h"

namespace {

// The picture as the file writer takes it: 24 bits, bottom-up, each colour
// in the COLORREF packing (red in the low byte).
bool writePicture(const std::string& path, const Image& image, std::string* error) {
    return writeBmp(
        path, PictureLayout::BottomUp24, image.width(), image.height(),
        [&image](int x, int y) {
            const Rgb c = image.at(x, y);
            return static_cast<std::uint32_t>(redOf(c) | greenOf(c) << 8 | blueOf(c) << 16);
        },
        error);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    std::vector<Picture> pictures;
    std::string error;
    if (!paintPictures(&pictures, &error)) {
        std::fprintf(stderr, "artwork: %s\n", error.c_str());
        return 1;
    }

    bool clean = true;
    for (const Picture& picture : pictures) {
        const std::vector<KeyClash> clashes = findKeyClashes(picture.image, picture.keyed);
        if (clashes.empty()) continue;
        clean = false;
        const KeyClash& first = clashes.front();
        std::fprintf(stderr,
                     "artwork: %s has %zu pixel(s) too close to magenta, the first #%06X at "
                     "(%d, %d)\n",
                     picture.fileName.c_str(), clashes.size(), first.colour, first.x, first.y);
    }
    if (!clean) return 1;

    for (const Picture& picture : pictures) {
        if (!writePicture(folder + "/" + picture.fileName, picture.image, &error)) {
            std::fprintf(stderr, "artwork: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
