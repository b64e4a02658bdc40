#pragma once

// The one place where the SDL layer takes SDL's events: drained all at once,
// once a frame, at the end of the display's wait for the vertical blank,
// which every screen reaches (the intro, title and game-over screens pump no
// window messages). Each event is dispatched by its type into the event
// state (SdlEventState.h), which the devices, the shell and the presenter
// read:
//
// - A key going down is noted for the next key read (a tap shorter than a
//   frame still counts), unless it is one of the window's own keys, which
//   the game never sees: Alt+Enter and F11 switch between window and full
//   screen, F10 switches whole-number scaling.
// - A quit request (SDL_QUIT: the window closed, SIGINT, SIGTERM; the
//   session ending) makes the keys read as Escape held, so every screen ends
//   and the program leaves through its game-over screen; the run loop also
//   gets WM_DESTROY, whose answer ends play through WM_QUIT. A second request
//   ends the program at once, through the hook the entry point handed in.
// - Window events become the run loop's messages: closing is WM_DESTROY,
//   being exposed WM_PAINT, losing the keyboard or being minimised or hidden
//   WM_ACTIVATEAPP with false, regaining the keyboard WM_ACTIVATEAPP with true
//   (see SdlShell.h); a new size is noted for the presenter.
// - Gamepads come and go (SdlGamepads.h), and once the queue is empty the
//   keys the open pads hold are brought up to date. Raw joystick, sensor and
//   touchpad events, which SDL's game-controller layer has already read as
//   they were queued, are dropped with the rest.

// Which events SDL queues at all; called once the window exists (making the
// video subsystem switches text input on). Key presses are queued; key
// releases, text, mouse and touch events are not: the keys are read as a
// snapshot, and the page feeds the browser's keys itself.
void selectSdlEvents();

// Takes every queued event, as above. SDL is asked for events here and
// nowhere else.
void drainSdlEvents();

// What the program does on a second quit request: end at once, tidily (the
// final score printed, the devices and SDL shut down). Handed in by the
// entry point, which knows the application; none means the second request
// changes nothing more than the first.
using EndProgramNow = void (*)();
void setEndProgramNow(EndProgramNow end);
