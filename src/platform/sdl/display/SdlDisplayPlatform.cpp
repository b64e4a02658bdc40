#include "platform/sdl/display/SdlDisplayPlatform.h"

#include "platform/sdl/shell/SdlEventLoop.h"

namespace {

// Hands frames to the installed presenter; its waits for the blank end with
// the frame's drain of SDL's events, at the one point every screen reaches.
class FrameEvents final : public FramePresenter {
public:
    bool attachWindow(WindowHandle window) override {
        return presenter_ && presenter_->attachWindow(window);
    }
    void present(SDL_Surface* visible) override {
        if (presenter_) presenter_->present(visible);
    }
    void waitForVerticalBlank() override {
        if (presenter_) presenter_->waitForVerticalBlank();
        drainSdlEvents();
    }

    FramePresenter* presenter_ = nullptr;
};

FrameEvents& frameEvents() {
    static FrameEvents frames;
    return frames;
}

}  // namespace

SdlPresenter& sdlPresenter() {
    static SdlPresenter presenter;
    return presenter;
}

void installSdlPresenter(FramePresenter* presenter) { frameEvents().presenter_ = presenter; }

SoftwareDisplay& sdlSoftwareDisplay() {
    // What the display presents through is made first, so that it outlives
    // the display at exit.
    static SoftwareDisplay& display = []() -> SoftwareDisplay& {
        FrameEvents& frames = frameEvents();
        static SoftwareDisplay instance(PixelLayout::Rgb565);
        instance.setPresenter(&frames);
        return instance;
    }();
    return display;
}
