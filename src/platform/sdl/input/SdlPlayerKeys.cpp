#include "platform/sdl/input/SdlPlayerKeys.h"

#include <cstring>

#include "platform/sdl/shell/SdlEventState.h"

const Uint8* SdlShellKeys::keyboardState(int* count) {
    int sdlCount = 0;
    const Uint8* sdlKeys = SDL_GetKeyboardState(&sdlCount);
    *count = SDL_NUM_SCANCODES;
    if (keys_.quitRequests() > 0) {
        // Only Escape: a held arrow or Space must not play on while the
        // screens wind down.
        std::memset(merged_, 0, sizeof merged_);
        merged_[SDL_SCANCODE_ESCAPE] = 1;
    } else {
        for (int code = 0; code < SDL_NUM_SCANCODES; ++code) {
            const bool down = (code < sdlCount && sdlKeys && sdlKeys[code]) || keys_.held(code) ||
                              keys_.presses(code) != seen_[code];
            merged_[code] = down ? 1 : 0;
        }
    }
    for (int code = 0; code < SDL_NUM_SCANCODES; ++code) seen_[code] = keys_.presses(code);
    return merged_;
}

bool SdlShellKeys::quitRequested() { return keys_.quitRequests() > 0; }
