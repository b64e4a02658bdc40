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
    // The keys down, indexed by scancode, with the array's length. Each call
    // is one read of the keyboard: a key that went down since the previous
    // read counts as down in this one even if it is already up again.
    virtual const Uint8* keyboardState(int* count) = 0;
    // True from the first quit request on (window closed, SIGINT, SIGTERM,
    // the session ending): the keyboard then reads as Escape held, whatever
    // window has the focus, so that every screen that reads keys ends.
    virtual bool quitRequested() { return false; }

protected:
    ~SdlKeyboardSource() = default;
};

// SDL's keyboard: SDL_PumpEvents, SDL_GetKeyboardFocus, SDL_GetKeyboardState,
// with the taps, held keys and quit requests below merged in.
SdlKeyboardSource& sdlKeyboardSource();

// Keys held down by something other than the keyboard: a gamepad, or the web
// page's own keys and on-screen buttons. They join the same snapshot the
// keyboard fills, under the same foreground rule. Each holder's keys are kept
// apart, so one letting go of a key does not release it for another.
enum class KeyHolder { Gamepad, Page };
void holdKey(KeyHolder holder, SDL_Scancode scancode, bool down);
void releaseHeldKeys(KeyHolder holder);

// A key went down, as SDL's event stream reported it: it reads as down at the
// next keyboard read even when it is released before that read.
void noteKeyPressed(SDL_Scancode scancode);
// A quit request arrived; the keyboard reads as Escape held from now on.
void noteQuitRequested();
