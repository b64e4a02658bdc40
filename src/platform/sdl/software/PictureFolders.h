#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// Where the picture files are looked for. Until folders are set, a picture is
// read by the name the game gives it, from the working folder, as on Windows.
// The Linux game sets the working folder, the executable's folder and the
// data folder relative to it (../share/zorbanix), in that order, so that it finds its pictures
// wherever it is started from, and says on stderr, one line per picture,
// which one it still could not read and why.
void setPictureFolders(const std::vector<std::string>& folders);

// loadBitmapFile (BitmapFile.h) through the folders.
SDL_Surface* loadPicture(const char* fileName, int* bitsPerPixel);
