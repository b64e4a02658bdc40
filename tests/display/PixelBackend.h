#pragma once

// The pixel tests of the display classes run on more than one DirectDraw:
// the software surfaces of the SDL layer and the real DirectDraw of the
// Windows layer. A backend makes the display platform, a driver in the 16-bit
// display mode and an 800 x 600 back buffer clipped to its edges, and reads
// the raw pixels of any surface it made. Nothing here names a platform.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "display/DirectDrawApi.h"
#include "support/PictureDirectory.h"

class Bitmap;
class Surface;
class Sprite;
class VideoDriver;

enum class Layout16 { Rgb565, Rgb555 };

// The raw 16-bit values of a surface, row by row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> values;

    std::uint16_t at(int x, int y) const {
        return values.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x));
    }
    bool operator==(const Pixels& other) const {
        return width == other.width && height == other.height && values == other.values;
    }
};

class PixelBackend {
public:
    virtual ~PixelBackend() = default;

    // Installs the platform, makes the driver in 800 x 600 x 16 and the back
    // buffer with its clip. False when any step fails.
    virtual bool start() = 0;
    // Gives everything back and reports, as test failures, platform objects
    // that are still alive where the platform can tell.
    virtual void finish() = 0;

    virtual Layout16 layout() const = 0;
    virtual VideoDriver* driver() = 0;
    virtual Surface* backBuffer() = 0;
    // Empty when the surface cannot be read.
    virtual Pixels read(DdSurface* surface) = 0;
    // Why picture files of this layout cannot be loaded faithfully here, for
    // a fault of the platform below this program; null when they can.
    virtual const char* cannotLoad(PictureLayout) const { return nullptr; }
};

struct PixelBackendMaker {
    std::string name;
    std::function<std::unique_ptr<PixelBackend>()> make;
};

inline void PrintTo(const PixelBackendMaker& maker, std::ostream* out) { *out << maker.name; }

inline std::string pixelBackendName(const ::testing::TestParamInfo<PixelBackendMaker>& info) {
    return info.param.name;
}

// What DirectDraw and GDI store for a COLORREF (red in the low byte) in the
// layout: each channel keeps its high bits.
inline std::uint16_t expectedRaw(Layout16 layout, std::uint32_t rgb) {
    const std::uint32_t r = rgb & 0xFF, g = rgb >> 8 & 0xFF, b = rgb >> 16 & 0xFF;
    if (layout == Layout16::Rgb565) {
        return static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
    }
    return static_cast<std::uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
}

class PixelDrawing : public ::testing::TestWithParam<PixelBackendMaker> {
protected:
    void SetUp() override;
    void TearDown() override;

    PixelBackend& backend() const { return *backend_; }
    Layout16 layout() const { return backend_->layout(); }
    std::uint16_t raw(std::uint32_t rgb) const { return expectedRaw(layout(), rgb); }
    std::uint16_t grey() const { return raw(0x808080); }
    std::uint16_t key() const { return layout() == Layout16::Rgb565 ? 0xF81F : 0x7C1F; }
    VideoDriver* driver() const { return backend_->driver(); }

    Pixels backPixels() const;
    Pixels framePixels(const Sprite& sprite, int index) const;
    void fillBack(std::uint16_t value);

    // A picture file in `layout`, loaded.
    bool load(Bitmap& bitmap, PictureLayout layout, int width, int height, const ColourAt& at);

    std::unique_ptr<PixelBackend> backend_;
    Surface* back_ = nullptr;
    PictureDirectory files_;
};
