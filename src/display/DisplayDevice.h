#pragma once

#include <cstdint>

#include "base/Handles.h"

class VideoDriver;
class BackBuffer;
class PrimarySurface;
class Clipper;

// Owns the screen: the driver, the flipping pair of buffers and the clipper.
class DisplayDevice {
public:
    DisplayDevice() = default;
    DisplayDevice(const DisplayDevice&) = delete;
    DisplayDevice& operator=(const DisplayDevice&) = delete;
    // Releases the platform objects in the reverse order of set-up.
    ~DisplayDevice();

    bool Create(WindowHandle window, std::uint32_t width, std::uint32_t height,
                std::uint32_t bitsPerPixel);

    VideoDriver* driver() const { return driver_; }
    BackBuffer* backBuffer() const { return backBuffer_; }
    PrimarySurface* primary() const { return primary_; }
    Clipper* clipper() const { return clipper_; }
    WindowHandle window() const { return window_; }

private:
    // Gives the platform objects back, newest first, and frees the members.
    void TearDown();

    VideoDriver* driver_ = nullptr;
    BackBuffer* backBuffer_ = nullptr;
    PrimarySurface* primary_ = nullptr;
    Clipper* clipper_ = nullptr;
    WindowHandle window_ = nullptr;
};
