#include "display/DisplayDevice.h"

#include "display/BackBuffer.h"
#include "display/Clipper.h"
#include "display/PrimarySurface.h"
#include "display/VideoDriver.h"

DisplayDevice::~DisplayDevice() { TearDown(); }

bool DisplayDevice::Create(WindowHandle window, std::uint32_t width, std::uint32_t height,
                           std::uint32_t bitsPerPixel) {
    // A second set-up starts from nothing rather than leaking the first.
    TearDown();
    driver_ = new VideoDriver;
    clipper_ = new Clipper;
    primary_ = new PrimarySurface;
    backBuffer_ = new BackBuffer;
    window_ = window;

    // Each step needs the one before; the first failure ends the set-up and
    // leaves the later members empty.
    if (!driver_->Create(nullptr)) return false;
    if (!driver_->SetCooperativeLevel(FullScreenExclusive, window)) return false;
    if (!driver_->SetDisplayMode(width, height, bitsPerPixel)) return false;
    if (!clipper_->Create(driver_)) return false;
    if (!clipper_->SetWindow(window)) return false;
    if (!primary_->Create(driver_, 2, 0)) return false;
    if (!backBuffer_->AttachTo(primary_)) return false;
    return backBuffer_->SetClipper(clipper_);
}

void DisplayDevice::TearDown() {
    // Reverse order of set-up: the back buffer holds a reference to the
    // primary's chain, the primary was made by the driver, and the driver
    // goes last because releasing it also gives the display mode back.
    if (backBuffer_) {
        backBuffer_->Destroy();
        delete backBuffer_;
    }
    if (primary_) {
        primary_->Destroy();
        delete primary_;
    }
    if (clipper_) {
        clipper_->Release();
        delete clipper_;
    }
    if (driver_) {
        driver_->Release();
        delete driver_;
    }
    driver_ = nullptr;
    backBuffer_ = nullptr;
    primary_ = nullptr;
    clipper_ = nullptr;
    window_ = nullptr;
}
