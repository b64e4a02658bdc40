#include "platform/sdl/software/PictureFolders.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl/software/BitmapFile.h"

namespace {

std::string inFolder(const std::string& folder, const char* fileName) {
    if (folder.empty() || folder == ".") return fileName;
    return folder.back() == '/' ? folder + fileName : folder + "/" + fileName;
}

// Why a file that is there could not be read: the system's reason when it
// cannot be opened, otherwise its content.
std::string whyUnreadable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::strerror(errno);
    std::fclose(file);
    return "not a bitmap picture this game can read";
}

}  // namespace

SDL_Surface* loadPicture(const std::vector<std::string>& folders, const char* fileName,
                         int* bitsPerPixel) {
    if (folders.empty() || !fileName || std::strchr(fileName, '/')) {
        return loadBitmapFile(fileName, bitsPerPixel);
    }
    std::string searched;
    for (const std::string& folder : folders) {
        const std::string path = inFolder(folder, fileName);
        errno = 0;
        if (SDL_Surface* picture = loadBitmapFile(path.c_str(), bitsPerPixel)) return picture;
        std::FILE* probe = std::fopen(path.c_str(), "rb");
        const int openError = errno;
        if (probe) std::fclose(probe);
        if (!probe && openError == ENOENT) {
            searched += (searched.empty() ? "" : ", ") + (folder.empty() ? "." : folder);
            continue;
        }
        // There, but unreadable: a later folder's copy would hide a fault
        // the player should hear of.
        std::fprintf(stderr, "zorbanix: cannot read picture %s in %s: %s\n", fileName,
                     folder.empty() ? "." : folder.c_str(), whyUnreadable(path).c_str());
        return nullptr;
    }
    std::fprintf(stderr, "zorbanix: cannot read picture %s: not found in %s\n", fileName,
                 searched.c_str());
    return nullptr;
}
