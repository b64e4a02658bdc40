// Paints the game's icon from its artwork and writes it into the folder
// given on the command line: zorbanix-<size>.png at each size that follows,
// for the Linux desktop's icon theme and the browser site,
// zorbanix-maskable-<size>.png for each maskable:<size>, and zorbanix.ico for the Windows
// program's resources. The sizes with art of their own are painted at
// their size; the others are scaled from the master art.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "IconArt.h"
#include "IconImages.h"

namespace {

IconImage iconAt(const Image& master, int size, std::string* error) {
    Image own;
    if (hasIconArtAt(size)) {
        if (!paintIconArt(size, &own, error)) return {};
        return scaleIcon(own, size);
    }
    return scaleIcon(master, size);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder> [<size>...]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::string error;
    Image art;
    if (!paintIconArt(&art, &error)) {
        std::fprintf(stderr, "icons: %s\n", error.c_str());
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        // "maskable:<size>": the icon a launcher crops to its own shape.
        const std::string arg = argv[i];
        if (arg.compare(0, 9, "maskable:") == 0) {
            const int size = std::atoi(arg.c_str() + 9);
            Image maskable;
            std::vector<std::uint8_t> png;
            if (!paintMaskableIconArt(size, &maskable, &error) ||
                !encodePng(scaleIcon(maskable, size), &png, &error) ||
                !writeFile(folder + "/zorbanix-maskable-" + std::to_string(size) + ".png", png,
                           &error)) {
                std::fprintf(stderr, "icons: %s\n", error.c_str());
                return 1;
            }
            continue;
        }
        char* end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (*end != '\0' || size < 1 || size > 1024) {
            std::fprintf(stderr, "icons: not a size: %s\n", argv[i]);
            return 2;
        }
        std::vector<std::uint8_t> png;
        const IconImage icon = iconAt(art, static_cast<int>(size), &error);
        if (icon.size == 0 || !encodePng(icon, &png, &error) ||
            !writeFile(folder + "/zorbanix-" + std::to_string(size) + ".png", png, &error)) {
            std::fprintf(stderr, "icons: %s\n", error.c_str());
            return 1;
        }
    }
    std::vector<IconImage> windowsSizes;
    for (int size : {16, 24, 32, 48, 256}) {
        windowsSizes.push_back(iconAt(art, size, &error));
        if (windowsSizes.back().size == 0) {
            std::fprintf(stderr, "icons: %s\n", error.c_str());
            return 1;
        }
    }
    std::vector<std::uint8_t> ico;
    if (!encodeIco(windowsSizes, &ico, &error) ||
        !writeFile(folder + "/zorbanix.ico", ico, &error)) {
        std::fprintf(stderr, "icons: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
