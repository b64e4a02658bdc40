#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/CapturedFrame.h"

// How one sprite frame of the game's pictures shows on an RGB565 screen:
// which of its pixels cover what lies below, and in what raw colour. Found by
// drawing the frame, the game's way (bitmap copy, magenta key, keyed blit),
// once onto black and once onto white: the pixels that come out the same on
// both are the ones it covers.
struct SpriteLook {
    struct Pixel {
        int x;
        int y;
        std::uint16_t colour;
    };
    int width = 0;
    int height = 0;
    // The covered pixels, row after row.
    std::vector<Pixel> covered;

    // Whether the frame shows the sprite with its top-left corner at (left,
    // top), every covered pixel inside the frame and of the sprite's colour.
    bool shownAt(const CapturedFrame& frame, int left, int top) const;
};

// The frame of `width` x `height` cut at (sourceX, sourceY) from a picture
// file, with magenta as its key.
bool loadSpriteLook(const std::string& file, int sourceX, int sourceY, int width, int height,
                    SpriteLook* look, std::string* error);
