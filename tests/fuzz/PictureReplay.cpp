// Replays saved picture inputs (files, or every file of a folder) through the
// fuzzer's picture path, without the fuzzer: the inputs that once found a
// fault stay checked in every build. `--game-pictures FOLDER` adds the
// game's own picture files from that folder. Exits 1 if any input leaves
// display objects behind or the display cannot be set up.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "artwork/GameCuts.h"
#include "fuzz/PicturePath.h"

namespace {

bool readFile(const std::string& path, std::vector<std::uint8_t>* bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::uint8_t chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

void collect(const std::string& path, std::vector<std::string>* files) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return;
    if (!S_ISDIR(info.st_mode)) {
        files->push_back(path);
        return;
    }
    DIR* folder = opendir(path.c_str());
    if (!folder) return;
    std::vector<std::string> found;
    while (dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || name[0] == '.') continue;
        found.push_back(path);
        found.back().append("/").append(name);
    }
    closedir(folder);
    std::sort(found.begin(), found.end());
    for (const std::string& f : found) collect(f, files);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--game-pictures" && i + 1 < argc) {
            const std::string folder = argv[++i];
            for (const GameCut& cut : kGameCuts) files.push_back(folder + "/" + cut.file);
        } else {
            collect(arg, &files);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...  (no input found)\n", argv[0]);
        return 2;
    }
    PicturePath rgb565(PixelLayout::Rgb565);
    PicturePath rgb555(PixelLayout::Rgb555);
    if (!rgb565.ready() || !rgb555.ready()) {
        std::fprintf(stderr, "the software display could not be set up\n");
        return 1;
    }
    int failures = 0;
    int pictures = 0;
    for (const std::string& path : files) {
        std::vector<std::uint8_t> bytes;
        if (!readFile(path, &bytes)) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            ++failures;
            continue;
        }
        const bool clean =
            rgb565.feed(bytes.data(), bytes.size()) && rgb555.feed(bytes.data(), bytes.size());
        if (!clean) {
            std::fprintf(stderr, "%s: display objects left behind\n", path.c_str());
            ++failures;
        }
        if (rgb565.loadedFrames() > 0) ++pictures;
    }
    std::printf("%zu inputs replayed, %d loaded as pictures, %d failed\n", files.size(), pictures,
                failures);
    return failures == 0 ? 0 : 1;
}
