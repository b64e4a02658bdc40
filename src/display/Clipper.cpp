#include "display/Clipper.h"

#include "display/VideoDriver.h"

bool Clipper::Create(VideoDriver* driver) {
    if (!driver) return false;
    // A clipper made over an old one would otherwise keep the old one alive.
    Release();
    if (!driver->CreateClipper(&clipper_)) {
        clipper_ = nullptr;
        return false;
    }
    return clipper_ != nullptr;
}

bool Clipper::SetWindow(WindowHandle window) {
    if (!clipper_) return false;
    return clipper_->SetHWnd(0, window) == DD_OK;
}

void Clipper::Release() {
    if (clipper_) clipper_->Release();
    clipper_ = nullptr;
}
