// Replays saved settings and score files (every file of the folders given)
// through the settings fuzzer's checks, without the fuzzer, so that the
// inputs that matter stay checked in every build. Exits 1 on any fault.
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/KeptFilePath.h"
#include "platform/sdl/settings/SavedFile.h"

int main(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        DIR* folder = opendir(argv[i]);
        if (!folder) continue;
        while (const dirent* entry = readdir(folder)) {
            if (entry->d_name[0] != '.')
                files.push_back(std::string(argv[i]) + "/" + entry->d_name);
        }
        closedir(folder);
    }
    std::sort(files.begin(), files.end());
    KeptFilePath path;
    if (files.empty() || !path.ready()) {
        std::fprintf(stderr, "usage: %s FOLDER...  (no input found, or no scratch folder)\n",
                     argv[0]);
        return 2;
    }
    int failures = 0;
    for (const std::string& file : files) {
        std::string bytes;
        std::string error;
        if (readSmallFile(file, 1 << 20, &bytes, &error) != ReadOutcome::Read) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            ++failures;
            continue;
        }
        std::string fault;
        if (!path.feed(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &fault)) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(), fault.c_str());
            ++failures;
        }
    }
    std::printf("%zu kept files replayed, %d failed\n", files.size(), failures);
    return failures == 0 ? 0 : 1;
}
