#pragma once

#include "display/DisplayPlatform.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// The display of the game on SDL: software surfaces in RGB565 whose frames
// the installed presenter shows in the window handed to SetCooperativeLevel.
// It only shows pictures: SDL's events are the shell's (SdlShell.h).
SoftwareDisplay& sdlSoftwareDisplay();
inline DisplayPlatform& sdlDisplayPlatform() { return sdlSoftwareDisplay(); }

// The presenter the entry point made: the Linux program's window presenter
// (SdlPresenter.h) or the browser's canvas. To be installed before the game
// starts, and taken away (null) before it goes.
void installSdlPresenter(FramePresenter* presenter);
