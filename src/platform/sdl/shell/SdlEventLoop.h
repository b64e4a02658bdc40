#pragma once

#include <SDL.h>

#include "platform/sdl/input/SdlGamepads.h"
#include "platform/sdl/shell/SdlEventState.h"

// Where the SDL layer takes SDL's events: the shell's (SdlShell.h), called
// from the shell's message pump, which the run loop reaches once a frame
// between two frames (PeekMessageA in play, deliverSentMessages on the intro,
// title and game-over screens). Nothing the display or a device does asks
// SDL for events. Each event is dispatched by its type into the piece of
// event state its owner reads (SdlEventState.h):
//
// - A key going down is noted for the next key read (a tap shorter than a
//   frame still counts), unless it is one of the window's own keys, which
//   the game never sees. Each of those is one window request, counted
//   (SdlWindowRequests): Alt+Enter and F11 switch between window and full
//   screen, F10 switches whole-number scaling (the presenter carries them
//   out at its next frame); M mutes the sound, minus and equals step the
//   volume (the sound output carries them out once the events are taken).
// - A quit request (SDL_QUIT: the window closed, SIGINT, SIGTERM; the
//   session ending) makes the keys read as Escape held, so every screen ends
//   and the program leaves through its game-over screen; the run loop also
//   gets WM_DESTROY, whose answer ends play through WM_QUIT. A second
//   request makes the shell hurry the screens out (SdlShell.h).
// - Window events become the run loop's messages: closing is WM_DESTROY,
//   being exposed WM_PAINT, losing the keyboard or being minimised or hidden
//   WM_ACTIVATEAPP with false, regaining the keyboard WM_ACTIVATEAPP with true
//   (see SdlShell.h); a new size is a request for the presenter.
// - The web page's keys come as page-key events (sendPageKey below).
// - Gamepads come and go (SdlGamepads.h), and once the queue is empty the
//   keys the open pads hold are brought up to date. Raw joystick, sensor and
//   touchpad events, which SDL's game-controller layer has already read as
//   they were queued, are dropped with the rest.
class SdlEventLoop {
public:
    // Which events SDL queues at all; called once the window exists (making
    // the video subsystem switches text input on). Key presses are queued;
    // key releases, text, mouse and touch events are not: the keys are read
    // as a snapshot, and the page feeds the browser's keys itself.
    static void selectEvents();

    // Takes every queued event, as above: the program's one SDL_PumpEvents.
    void drain(SdlMessageQueue& messages);

    const SdlKeyState& keys() const { return keys_; }
    const SdlWindowRequests& windowRequests() const { return requests_; }
    int quitRequests() const { return keys_.quitRequests(); }

    // Before SDL is shut down.
    void closeGamepads() { pads_.closeAll(keys_); }

private:
    void dispatch(const SDL_Event& event, SdlMessageQueue& messages);
    void onKeyDown(const SDL_KeyboardEvent& key);
    void onWindowEvent(const SDL_WindowEvent& window, SdlMessageQueue& messages);

    SdlKeyState keys_;
    SdlWindowRequests requests_;
    SdlGamepads pads_;
};

// The web page's keys, by SDL scancode, pressed or let go; and all of them
// let go at once when the page loses the focus. They go through SDL's queue,
// as the keyboard's own do, so that the event loop stays the one writer of
// the keys; the frame after they come reads them.
void sendPageKey(SDL_Scancode scancode, bool down);
void sendPageKeysReleased();
