#include "platform/sdl/SdlWindowOptions.h"

namespace {
SdlWindowOptions theOptions;
bool fullScreenToggle = false;
bool integerScaleToggle = false;

bool take(bool& flag) {
    const bool was = flag;
    flag = false;
    return was;
}
}  // namespace

void setSdlWindowOptions(const SdlWindowOptions& options) { theOptions = options; }
const SdlWindowOptions& sdlWindowOptions() { return theOptions; }

void requestFullScreenToggle() { fullScreenToggle = true; }
void requestIntegerScaleToggle() { integerScaleToggle = true; }
bool takeFullScreenToggle() { return take(fullScreenToggle); }
bool takeIntegerScaleToggle() { return take(integerScaleToggle); }
