#pragma once

// What the SDL layer takes from SDL's event stream before the shell's message
// pump sees it. The screens before and after play pump no messages, so
// whatever must work there (a quit request, a tap, Alt+Enter, a gamepad
// plugged in) is caught as SDL queues the event, from whichever pump runs
// first: the keyboard's poll, the presenter's frame or the shell's pump.
//
// - A key going down is noted for the keyboard's next read (a tap shorter
//   than a frame still counts); Alt+Enter and F11 switch between window and
//   full screen, F10 switches whole-number scaling. Key and text events are
//   then dropped: the game reads the keyboard as a snapshot.
// - A quit request (SDL_QUIT: the window closed, SIGINT, SIGTERM; the session
//   ending) makes the keyboard read as Escape held, so every screen ends and
//   the program leaves through its game-over screen. The event stays queued,
//   so play also ends through WM_QUIT. A second request ends the program at
//   once.
// - Gamepads come and go (see SdlGamepads.h).
void installDesktopEvents();

// SDL_PumpEvents, then the follow-ups of what the filter saw: the gamepads'
// keys brought up to date, and the program ended after a second quit request.
void pumpDesktopEvents();

// Ends the program at once, tidily: the final score on stdout, the devices
// shut down, SDL closed, exit code 0.
[[noreturn]] void endProgramNow();

// The one line the program prints when it ends.
void printFinalScore();
