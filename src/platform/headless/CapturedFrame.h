#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/PictureSize.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// One frame as the player saw it: the visible 800 x 600 buffer right after
// the flip that showed it.
struct CapturedFrame {
    static constexpr int kWidth = kPictureWidth;
    static constexpr int kHeight = kPictureHeight;

    int index = 0;
    // Game time at the flip (after the vertical-blank wait advanced the clock).
    std::int32_t gameTime = 0;
    PixelLayout layout = PixelLayout::Rgb565;
    // Raw 16-bit pixels, row after row, kWidth per row. Consecutive identical
    // frames share one buffer. Null when the capture policy dropped them.
    std::shared_ptr<const std::vector<std::uint16_t>> pixels;

    bool hasPixels() const { return pixels != nullptr; }
    // The raw pixel; 0 outside the frame or without pixels.
    std::uint16_t raw(int x, int y) const;
    // The pixel as an RGB value (red in bits 0-7, green 8-15, blue 16-23),
    // each channel widened from 5 or 6 bits by repeating its top bits.
    std::uint32_t rgb(int x, int y) const;
    // The raw value that an RGB colour becomes in this frame's layout.
    std::uint16_t rawOf(std::uint32_t rgb) const;
    // Pixels inside the rectangle that are not raw 0 (black).
    int litPixels(int left, int top, int width, int height) const;
    // Writes the frame as a 24-bit .bmp file; false when it cannot.
    bool saveBmp(const char* path) const;
};

// True when both frames have pixels and they are identical.
bool samePixels(const CapturedFrame& a, const CapturedFrame& b);
