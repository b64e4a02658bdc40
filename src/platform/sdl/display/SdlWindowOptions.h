#pragma once

#include <SDL.h>

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
    // Whether the player may resize a window. The browser's is the page's
    // canvas, which the page scales: SDL then keeps the canvas at 800 x 600
    // and never clears it when the page is resized.
    bool resizable = true;
    // Where the window was left in an earlier run (the Linux program keeps
    // it): a window opens there, and leaving full screen goes back there.
    bool placed = false;
    SDL_Rect place = {0, 0, 0, 0};
};

// The smallest window the player can shrink a resizable one to: the
// picture at half size.
constexpr int kMinimumWindowWidth = 400;
constexpr int kMinimumWindowHeight = 300;

// Where the window goes in window mode on a display: 800 x 600 `scale` times
// over, or with scale 0 the largest whole multiple that fits the part of the
// desktop that panels leave free (once over where not even that fits),
// centred there.
SDL_Rect windowedPlace(int display, int scale);
