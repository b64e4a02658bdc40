#include "platform/sdl/SdlKeyboardSource.h"

#include <cstdint>
#include <cstring>

#include "platform/sdl/SdlDesktopEvents.h"

namespace {

constexpr std::uint8_t holderBit(KeyHolder holder) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(holder));
}

class SystemKeyboardSource final : public SdlKeyboardSource {
public:
    void pumpEvents() override { pumpDesktopEvents(); }
    SDL_Window* keyboardFocus() override { return SDL_GetKeyboardFocus(); }

    const Uint8* keyboardState(int* count) override {
        int sdlCount = 0;
        const Uint8* sdlState = SDL_GetKeyboardState(&sdlCount);
        if (quitRequested_) {
            // Only Escape: a held arrow or Space must not play on while the
            // screens wind down.
            std::memset(merged_, 0, sizeof merged_);
            merged_[SDL_SCANCODE_ESCAPE] = 1;
        } else {
            for (int code = 0; code < SDL_NUM_SCANCODES; ++code) {
                const bool down = (code < sdlCount && sdlState && sdlState[code]) ||
                                  pressed_[code] || held_[code];
                merged_[code] = down ? 1 : 0;
            }
        }
        std::memset(pressed_, 0, sizeof pressed_);
        *count = SDL_NUM_SCANCODES;
        return merged_;
    }

    bool quitRequested() override { return quitRequested_; }

    void press(SDL_Scancode code) {
        if (code > SDL_SCANCODE_UNKNOWN && code < SDL_NUM_SCANCODES) pressed_[code] = 1;
    }
    void hold(KeyHolder holder, SDL_Scancode code, bool down) {
        if (code <= SDL_SCANCODE_UNKNOWN || code >= SDL_NUM_SCANCODES) return;
        if (down) {
            // A press through a holder is a tap too: on and off between two
            // reads still counts.
            held_[code] |= holderBit(holder);
            pressed_[code] = 1;
        } else {
            held_[code] &= static_cast<std::uint8_t>(~holderBit(holder));
        }
    }
    void releaseAll(KeyHolder holder) {
        for (std::uint8_t& bits : held_) bits &= static_cast<std::uint8_t>(~holderBit(holder));
    }
    void requestQuit() { quitRequested_ = true; }

private:
    Uint8 merged_[SDL_NUM_SCANCODES] = {};
    Uint8 pressed_[SDL_NUM_SCANCODES] = {};
    std::uint8_t held_[SDL_NUM_SCANCODES] = {};
    bool quitRequested_ = false;
};

SystemKeyboardSource& systemSource() {
    static SystemKeyboardSource source;
    return source;
}

}  // namespace

SdlKeyboardSource& sdlKeyboardSource() { return systemSource(); }

void holdKey(KeyHolder holder, SDL_Scancode scancode, bool down) {
    systemSource().hold(holder, scancode, down);
}

void releaseHeldKeys(KeyHolder holder) { systemSource().releaseAll(holder); }

void noteKeyPressed(SDL_Scancode scancode) { systemSource().press(scancode); }

void noteQuitRequested() { systemSource().requestQuit(); }
