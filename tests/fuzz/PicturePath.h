#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "display/DisplayDevice.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// One picture file put through everything the game does with its pictures:
// written to disk and loaded by file name, every frame the game cuts cut from
// it at the game's sizes and positions, the keyed ones keyed on magenta, each
// frame drawn onto the back buffer, then everything given back.
//
// Shared by the fuzzer and by the program that replays saved inputs.
class PicturePath {
public:
    explicit PicturePath(PixelLayout layout);
    ~PicturePath();
    PicturePath(const PicturePath&) = delete;
    PicturePath& operator=(const PicturePath&) = delete;

    // False when the display could not be set up or the scratch file made.
    bool ready() const { return ready_; }

    // False when the input left display objects behind (surfaces, bitmaps,
    // device contexts): the platform's registries still point at them, so
    // a leak checker would not see them.
    bool feed(const std::uint8_t* data, std::size_t size);

    // How many frames took a block of the picture in the last input.
    int loadedFrames() const { return loadedFrames_; }

private:
    bool writeFile(const std::uint8_t* data, std::size_t size) const;

    SoftwareDisplay display_;
    std::unique_ptr<DisplayDevice> device_;
    std::string directory_;
    std::string file_;
    int baseline_ = 0;
    int loadedFrames_ = 0;
    bool ready_ = false;
};
