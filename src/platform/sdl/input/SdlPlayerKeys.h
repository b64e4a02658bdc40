#pragma once

#include <SDL.h>

#include <cstdint>

class SdlKeyState;

// Where the SDL input devices learn which window has the keyboard and which
// keys the player holds. The program merges the keyboard, the gamepads, the
// web page's keys and a quit request, as the shell's event loop last took
// them from SDL (SdlEventState.h); tests give a stand-in, since a windowless
// SDL never hands out keyboard focus. Nothing here asks SDL for events.
class SdlPlayerKeys {
public:
    virtual SDL_Window* keyboardFocus() = 0;
    // The keys down, indexed by scancode, with the array's length. Each call
    // is one read of the keys: a key that went down since the previous read
    // counts as down in this one even if it is already up again.
    virtual const Uint8* keyboardState(int* count) = 0;
    // True from the first quit request on (window closed, SIGINT, SIGTERM,
    // the session ending): the keys then read as Escape held, whatever
    // window has the focus, so that every screen that reads keys ends.
    virtual bool quitRequested() { return false; }

protected:
    ~SdlPlayerKeys() = default;
};

// SDL's keyboard: its focus and key state, with the taps, held keys and quit
// requests of the SDL shell's event loop (`keys`) merged in. It keeps for
// itself which presses it has already counted.
class SdlShellKeys final : public SdlPlayerKeys {
public:
    explicit SdlShellKeys(const SdlKeyState& keys) : keys_(keys) {}

    SDL_Window* keyboardFocus() override { return SDL_GetKeyboardFocus(); }
    const Uint8* keyboardState(int* count) override;
    bool quitRequested() override;

private:
    const SdlKeyState& keys_;
    std::uint32_t seen_[SDL_NUM_SCANCODES] = {};
    Uint8 merged_[SDL_NUM_SCANCODES] = {};
};
