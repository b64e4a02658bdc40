#pragma once

#include "base/Handles.h"

// The program's whole run, from window creation to the exit code: what
// WinMain does on Windows and main does on Linux, once each platform layer
// has installed its display, device and shell platforms.
// The exit code is the code given with WM_QUIT when that message ended the
// game, 0 when the game ended from inside, and 1 (kStartFailed) when the
// window could not be made or the display could not be set up; the keyboard
// and the sound device failing do not count.
int programMain(InstanceHandle instance, int showCommand);
