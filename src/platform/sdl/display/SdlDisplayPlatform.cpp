#include "platform/sdl/display/SdlDisplayPlatform.h"

void installSdlPresenter(FramePresenter* presenter) {
    sdlSoftwareDisplay().setPresenter(presenter);
}

SoftwareDisplay& sdlSoftwareDisplay() {
    static SoftwareDisplay display(PixelLayout::Rgb565);
    return display;
}
