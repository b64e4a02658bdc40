#include "platform/sdl/input/SdlPlayerKeys.h"

#include <cstring>

#include "platform/sdl/shell/SdlShell.h"

namespace {

// Reads the key state the shell's event loop keeps, and keeps for itself
// which presses it has already counted.
class SystemPlayerKeys final : public SdlPlayerKeys {
public:
    explicit SystemPlayerKeys(const SdlKeyState& keys) : keys_(keys) {}

    SDL_Window* keyboardFocus() override { return SDL_GetKeyboardFocus(); }

    const Uint8* keyboardState(int* count) override {
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
                const bool down = (code < sdlCount && sdlKeys && sdlKeys[code]) ||
                                  keys_.held(code) || keys_.presses(code) != seen_[code];
                merged_[code] = down ? 1 : 0;
            }
        }
        for (int code = 0; code < SDL_NUM_SCANCODES; ++code) seen_[code] = keys_.presses(code);
        return merged_;
    }

    bool quitRequested() override { return keys_.quitRequests() > 0; }

private:
    const SdlKeyState& keys_;
    std::uint32_t seen_[SDL_NUM_SCANCODES] = {};
    Uint8 merged_[SDL_NUM_SCANCODES] = {};
};

}  // namespace

SdlPlayerKeys& sdlPlayerKeys() {
    static SystemPlayerKeys keys(sdlShellPlatform().keys());
    return keys;
}
