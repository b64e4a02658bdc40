#include "platform/sdl/input/SdlPlayerKeys.h"

#include "platform/sdl/shell/SdlEventState.h"

namespace {

class SystemPlayerKeys final : public SdlPlayerKeys {
public:
    SDL_Window* keyboardFocus() override { return SDL_GetKeyboardFocus(); }

    const Uint8* keyboardState(int* count) override {
        int sdlCount = 0;
        const Uint8* sdlKeys = SDL_GetKeyboardState(&sdlCount);
        *count = SDL_NUM_SCANCODES;
        return sdlEventState().readKeys(sdlKeys, sdlCount);
    }

    bool quitRequested() override { return sdlEventState().quitRequests() > 0; }
};

}  // namespace

SdlPlayerKeys& sdlPlayerKeys() {
    static SystemPlayerKeys keys;
    return keys;
}
