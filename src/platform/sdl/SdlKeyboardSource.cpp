#include "platform/sdl/SdlKeyboardSource.h"

namespace {

class SystemKeyboardSource final : public SdlKeyboardSource {
public:
    void pumpEvents() override { SDL_PumpEvents(); }
    SDL_Window* keyboardFocus() override { return SDL_GetKeyboardFocus(); }
    const Uint8* keyboardState(int* count) override { return SDL_GetKeyboardState(count); }
};

}  // namespace

SdlKeyboardSource& sdlKeyboardSource() {
    static SystemKeyboardSource source;
    return source;
}
