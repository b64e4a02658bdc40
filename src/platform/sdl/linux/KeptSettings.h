#pragma once

#include <SDL.h>

#include <string>

#include "platform/sdl/display/SdlWindowOptions.h"

// The Linux program's settings and best scores between runs
// (src/platform/sdl/settings), met with SDL's window: read once at the
// start, written back each time the player changes something in the game.
// Options given on the command line apply to that run only: only what the
// player changes in the game is saved. Nothing is read or written until
// startKeptSettings() is called, so the SDL layer's tests keep nothing.

// Reads the settings file (a bad one is kept aside, with one stderr line)
// and returns the window options it holds, for the command line to change.
SdlWindowOptions startKeptSettings();

// Where the window opens in window mode: the kept place, put back on a
// screen if the screens changed, no smaller than the minimum. False when
// none is kept (the program then picks one).
bool keptWindowPlace(SDL_Rect* place);
// Whether the sound was left muted.
bool keptMute();
// The volume the player left, or the full volume.
int keptVolume();

// The player's changes, saved at once: the window mode (with the window's
// place and size, `windowed`, as it was before it went full screen),
// whole-number scaling, mute.
void keepFullScreen(bool fullScreen, const SDL_Rect& windowed);
void keepIntegerScale(bool on);
void keepMute(bool on);
void keepVolume(int level);
// The window's place and size, in window mode: kept, and saved when they
// differ from what the file holds (after a resize, and at the end).
void keepWindowPlace(SDL_Window* window);

// Records the final score and returns the program's last line, with the
// best score or "new best".
std::string recordFinalScore(long score);

// The files, for --help and --scores.
std::string settingsFilePath();
std::string bestScoresPath();
std::string bestScoresText();
