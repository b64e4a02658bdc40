#pragma once

#include <SDL.h>

// Puts frames on the page's canvas through the window's surface, as
// SDL_UpdateWindowSurface would, but only the parts that changed since the
// frame before: the picture is cut into bands of rows, and of each band that
// changed only the columns between its first and last changed pixel are
// widened into the surface and copied to the canvas. A still screen (title,
// get ready, paused) then costs the browser no copy at all, and play only
// the small boxes where things move. The page asks for the whole picture
// again (Module.repaintCanvas) whenever the canvas was cleared, as resizing
// it does. `frame` is the game's RGB565 frame and `surface` the window's
// (800 x 600, like the canvas).
void presentOnCanvas(const SDL_Surface* frame, SDL_Surface* surface);
