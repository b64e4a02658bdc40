#pragma once

#include "display/DisplayPlatform.h"
#include "platform/sdl/SdlPresenter.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// The display of the game on SDL: software surfaces in RGB565 whose frames
// the presenter shows in the window handed to SetCooperativeLevel.
SoftwareDisplay& sdlSoftwareDisplay();
SdlPresenter& sdlPresenter();
inline DisplayPlatform& sdlDisplayPlatform() { return sdlSoftwareDisplay(); }
