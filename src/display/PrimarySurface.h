#pragma once

#include <cstdint>

#include "display/Surface.h"

class VideoDriver;

// The visible surface, with its back buffer chained to it for page flipping.
class PrimarySurface : public Surface {
public:
    // surfaceCount 1: the front surface alone; 2: front plus one back buffer.
    bool Create(VideoDriver* driver, int surfaceCount, std::uint32_t extraCaps);
    bool GetAttached(std::uint32_t caps, DdSurface** out);
    // Waits for the vertical blank and shows the back buffer. A flip the
    // platform keeps refusing drops the frame instead of waiting forever.
    bool Flip(VideoDriver* driver);

    // How often a busy flip is issued before the frame is dropped.
    static constexpr int kFlipAttempts = 4;
};
