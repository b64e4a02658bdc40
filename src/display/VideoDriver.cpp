#include "display/VideoDriver.h"

#include "display/DisplayPlatform.h"

bool VideoDriver::Create(const DriverGuid* driverId) {
    if (device_) Release();
    driverId_ = driverId;
    if (displayPlatform().DirectDrawCreate(driverId, &device_) != DD_OK) {
        // A refused creation must not leave anything behind that later calls
        // would mistake for a driver.
        device_ = nullptr;
        return false;
    }
    return device_ != nullptr;
}

void VideoDriver::Release() {
    if (device_) device_->Release();
    device_ = nullptr;
    driverId_ = nullptr;
    cooperativeMode_ = FullScreenExclusive;
    window_ = nullptr;
}

bool VideoDriver::SetCooperativeLevel(std::int32_t mode, WindowHandle window) {
    if (!device_) return false;
    cooperativeMode_ = mode;
    window_ = window;
    switch (mode) {
        case Windowed:
            return device_->SetCooperativeLevel(window, DDSCL_NORMAL) == DD_OK;
        case FullScreenExclusive:
            return device_->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) ==
                   DD_OK;
        default:
            // Other modes are only remembered; the platform is not asked.
            return true;
    }
}

bool VideoDriver::SetDisplayMode(std::uint32_t width, std::uint32_t height,
                                 std::uint32_t bitsPerPixel) {
    if (!device_) return false;
    return device_->SetDisplayMode(width, height, bitsPerPixel) == DD_OK;
}

bool VideoDriver::CreateSurface(const DdSurfaceDesc* desc, DdSurface** out) {
    if (!device_) return false;
    return device_->CreateSurface(desc, out) == DD_OK;
}

bool VideoDriver::CreateClipper(DdClipper** out) {
    if (!device_) return false;
    return device_->CreateClipper(0, out) == DD_OK;
}

bool VideoDriver::WaitForVerticalBlank() {
    if (!device_) return false;
    return device_->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr) == DD_OK;
}
