// The page's sound button (and M on the page): sound off and on for the run.

#include <emscripten.h>

#include "platform/sdl/audio/SdlSoundOutput.h"

extern "C" EMSCRIPTEN_KEEPALIVE void zorbanixSetMuted(int muted) {
    sdlSoundOutput().setMuted(muted != 0);
}
