#pragma once

#include "display/DisplayPlatform.h"
#include "platform/sdl/display/SdlPresenter.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// The display of the game on SDL: software surfaces in RGB565 whose frames
// the installed presenter shows in the window handed to SetCooperativeLevel.
// Every wait for the vertical blank, once the presenter has waited, ends
// with the frame's one drain of SDL's events (drainSdlEvents).
SoftwareDisplay& sdlSoftwareDisplay();
inline DisplayPlatform& sdlDisplayPlatform() { return sdlSoftwareDisplay(); }

// The presenter the entry point chose: the Linux program's window presenter
// (sdlPresenter) or the browser's canvas. To be installed before the game
// starts and to outlive it.
void installSdlPresenter(FramePresenter* presenter);

// The window presenter of the Linux program.
SdlPresenter& sdlPresenter();
