#include "fuzz/PicturePath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "artwork/GameCuts.h"
#include "display/BackBuffer.h"
#include "display/Bitmap.h"
#include "display/DisplayPlatform.h"
#include "display/Sprite.h"
#include "platform/PictureSize.h"
#include "support/ScopedPlatform.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

// Frames land well inside the screen, or half off its top-left or
// bottom-right corner, where the clipper has to cut them; which one depends
// on the frame's place in the list only, so that every input is drawn the
// same way each time.
void drawFrame(Sprite& sprite, int frame, int place, BackBuffer* back) {
    const int w = sprite.frameWidth();
    const int h = sprite.frameHeight();
    switch (place % 3) {
        case 0:
            sprite.Draw(frame, 24, 23, back);
            break;
        case 1:
            sprite.Draw(frame, -w / 2, -h / 2, back);
            break;
        default:
            sprite.Draw(frame, kPictureWidth - w / 2, kPictureHeight - h / 2, back);
            break;
    }
}

// Memory-backed when the system has it: the file is rewritten for every
// input, and on a disk file system each rewrite may wait for a flush.
std::string scratchFolder() {
    const char* chosen = std::getenv("TMPDIR");
    if (chosen && *chosen) return chosen;
    struct stat info;
    if (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) && access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    return "/tmp";
}

}  // namespace

PicturePath::PicturePath(PixelLayout layout) : display_(layout) {
    std::string pattern = scratchFolder() + "/zorbanix-picture-XXXXXX";
    if (!mkdtemp(&pattern[0])) return;
    directory_ = pattern;
    file_ = directory_ + "/picture.bmp";

    ScopedDisplayPlatform installed(&display_);
    // Any non-null value does as the window: nothing is presented.
    static int window = 0;
    device_.reset(new DisplayDevice());
    if (!device_->Create(reinterpret_cast<WindowHandle>(&window), kPictureWidth, kPictureHeight,
                         16)) {
        return;
    }
    baseline_ = display_.liveObjects();
    ready_ = true;
}

PicturePath::~PicturePath() {
    {
        ScopedDisplayPlatform installed(&display_);
        device_.reset();
    }
    if (!file_.empty()) std::remove(file_.c_str());
    if (!directory_.empty()) rmdir(directory_.c_str());
}

bool PicturePath::writeFile(const std::uint8_t* data, std::size_t size) const {
    // A new file each time rather than a truncated one, which some file
    // systems flush to disk first.
    std::remove(file_.c_str());
    std::FILE* file = std::fopen(file_.c_str(), "wb");
    if (!file) return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

bool PicturePath::feed(const std::uint8_t* data, std::size_t size) {
    loadedFrames_ = 0;
    if (!ready_ || !writeFile(data, size)) return ready_;

    ScopedDisplayPlatform installed(&display_);
    BackBuffer* back = device_->backBuffer();
    back->Fill(nullptr, 0);
    {
        // The same bitmap serves every cut, as one file serves one picture
        // in the game, whatever its size turns out to be.
        Bitmap bitmap;
        // A refused file leaves every frame blank, which says nothing about
        // the bytes: only a picture that loads goes on to be cut and drawn.
        if (!bitmap.Load(file_.c_str())) return display_.liveObjects() == baseline_;
        int place = 0;
        for (const GameCut& cut : kGameCuts) {
            Sprite sprite;
            sprite.Create(device_->driver(), cut.frames, cut.width, cut.height);
            for (int i = 0; i < cut.frames; ++i) {
                if (sprite.LoadFrame(&bitmap, i, cut.sourceX + cut.pitch * i, cut.sourceY)) {
                    ++loadedFrames_;
                }
            }
            if (cut.keyed) sprite.SetColourKey(kMagenta);
            for (int i = 0; i < cut.frames; ++i) drawFrame(sprite, i, place++, back);
        }
    }
    return display_.liveObjects() == baseline_;
}
