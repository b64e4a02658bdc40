#pragma once

// A temporary directory of picture files written by a test, removed with its
// files afterwards. The files come from the one .bmp writer of the project
// (tools/bmp). Builds for Linux and for Windows, where the pixel tests also
// run.

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bmp/BmpWriter.h"

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
        files_.push_back(path);
        return writeWholeFile(path, bytes) ? path : std::string();
    }
    std::string write(const std::string& name, PictureLayout layout, int width, int height,
                      const ColourAt& colourAt) {
        return write(name, encodeBmp(layout, width, height, colourAt));
    }
    std::string pathOf(const std::string& name) const { return directory_ + "/" + name; }
    // Empty when no directory could be made.
    const std::string& directory() const { return directory_; }

private:
    std::string directory_;
    std::vector<std::string> files_;
};
