#include "platform/sdl/shell/SdlPlatform.h"

#include "devices/DevicePlatform.h"
#include "display/DisplayPlatform.h"

SdlPlatform::SdlPlatform(const SdlWindowOptions& window)
    : window_(window),
      shell_(window_, &sound_),
      keys_(shell_.keys()),
      devices_(&keys_, &sound_),
      presenter_(clock_, shell_.windowRequests(), window_),
      display_(PixelLayout::Rgb565) {}

SdlPlatform::~SdlPlatform() { uninstall(); }

void SdlPlatform::install(FramePresenter* presenter) {
    shown_ = presenter ? presenter : &presenter_;
    presenter_.noteSoundOf(&sound_, &display_.pictureFolders());
    display_.setPresenter(shown_);
    installDisplayPlatform(&display_);
    installDevicePlatform(&devices_);
    installShellPlatform(&shell_);
}

void SdlPlatform::uninstall() {
    if (!shown_) return;
    shell_.closeGamepads();
    display_.setPresenter(nullptr);
    presenter_.detach();
    sound_.tellChoices(nullptr);
    presenter_.tellChoices(nullptr);
    presenter_.noteSoundOf(nullptr, nullptr);
    installShellPlatform(nullptr);
    installDevicePlatform(nullptr);
    installDisplayPlatform(nullptr);
    shown_ = nullptr;
}
