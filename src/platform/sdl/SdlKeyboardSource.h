#pragma once

#include <SDL.h>

// Where the SDL input devices learn which window has the keyboard and which
// keys are down. The program uses SDL's own state; tests give a stand-in,
// since a windowless SDL never hands out keyboard focus.
class SdlKeyboardSource {
public:
    // Brings SDL's key state up to date; window events stay queued for the
    // shell's message loop.
    virtual void pumpEvents() = 0;
    virtual SDL_Window* keyboardFocus() = 0;
    // SDL's key-state array, indexed by scancode, with its length.
    virtual const Uint8* keyboardState(int* count) = 0;

protected:
    ~SdlKeyboardSource() = default;
};

// SDL's keyboard: SDL_PumpEvents, SDL_GetKeyboardFocus, SDL_GetKeyboardState.
SdlKeyboardSource& sdlKeyboardSource();
