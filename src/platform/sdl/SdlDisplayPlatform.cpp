#include "platform/sdl/SdlDisplayPlatform.h"

SdlPresenter& sdlPresenter() {
    static SdlPresenter presenter;
    return presenter;
}

SoftwareDisplay& sdlSoftwareDisplay() {
    // The presenter is made first, so that it outlives the display at exit.
    static SoftwareDisplay& display = []() -> SoftwareDisplay& {
        SdlPresenter& presenter = sdlPresenter();
        static SoftwareDisplay instance(PixelLayout::Rgb565);
        instance.setPresenter(&presenter);
        return instance;
    }();
    return display;
}
