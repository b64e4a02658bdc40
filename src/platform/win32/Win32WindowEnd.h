#pragma once

#include "base/Handles.h"

// The main window, once it has been destroyed while the screens before play
// ran, and null until then. Those screens only deliver the messages sent to
// the window, so the WM_QUIT its end posts is left for play to read; a
// window that ends in play (or after it) is not reported here, since play
// reads that WM_QUIT and ends the game by it. The window procedure and
// play's message pump (Win32ShellPlatform.cpp) keep it.
WindowHandle windowDestroyedBeforePlay();
