#pragma once

// How the game's window meets the desktop: full screen (the default, as the
// game was made) or a window, and how the 800 x 600 picture is scaled into it.
struct SdlWindowOptions {
    bool fullScreen = true;
    // A window's size in whole multiples of 800 x 600; 0 takes the largest
    // that fits the desktop.
    int scale = 0;
    // Scale the picture only by whole numbers, with bars around it, so that
    // every game pixel is the same number of screen pixels.
    bool integerScale = false;
};

void setSdlWindowOptions(const SdlWindowOptions& options);
const SdlWindowOptions& sdlWindowOptions();

// Requests from the keyboard (Alt+Enter or F11, F10), carried out by the
// presenter at its next frame, outside SDL's event handling.
void requestFullScreenToggle();
void requestIntegerScaleToggle();
bool takeFullScreenToggle();
bool takeIntegerScaleToggle();
