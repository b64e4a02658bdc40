#pragma once

#include <cstdint>

#include "display/DirectDrawApi.h"

enum CooperativeMode : std::int32_t { Windowed = 0, FullScreenExclusive = 1 };

// The DirectDraw object and its settings.
class VideoDriver {
public:
    VideoDriver() = default;
    VideoDriver(const VideoDriver&) = delete;
    VideoDriver& operator=(const VideoDriver&) = delete;

    bool Create(const DriverGuid* driverId);
    void Release();
    bool SetCooperativeLevel(std::int32_t mode, WindowHandle window);
    bool SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);
    bool CreateSurface(const DdSurfaceDesc* desc, DdSurface** out);
    bool CreateClipper(DdClipper** out);
    // Blocks until the monitor's vertical blank begins.
    bool WaitForVerticalBlank();

    DirectDraw* device() const { return device_; }
    const DriverGuid* driverId() const { return driverId_; }
    std::int32_t cooperativeMode() const { return cooperativeMode_; }
    WindowHandle window() const { return window_; }

private:
    DirectDraw* device_ = nullptr;
    const DriverGuid* driverId_ = nullptr;
    std::int32_t cooperativeMode_ = FullScreenExclusive;
    WindowHandle window_ = nullptr;
};
