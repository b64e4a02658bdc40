#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// Where the picture files are looked for (the display's folders,
// SoftwareDisplay::setPictureFolders). With none, a picture is read by the
// name the game gives it, from the working folder, as on Windows.
// The Linux game sets the working folder, the executable's folder and the
// data folder relative to it (../share/zorbanix), in that order, so that it finds its pictures
// wherever it is started from, and says on stderr, one line per picture,
// which one it still could not read and why.
// loadBitmapFile (BitmapFile.h) through the folders.
SDL_Surface* loadPicture(const std::vector<std::string>& folders, const char* fileName,
                         int* bitsPerPixel);
