#pragma once

#include "display/DirectDrawApi.h"

class VideoDriver;

// The DirectDraw clipper bound to the game window.
class Clipper {
public:
    Clipper() = default;
    Clipper(const Clipper&) = delete;
    Clipper& operator=(const Clipper&) = delete;

    bool Create(VideoDriver* driver);
    bool SetWindow(WindowHandle window);
    void Release();

    DdClipper* platformClipper() const { return clipper_; }

private:
    DdClipper* clipper_ = nullptr;
};
