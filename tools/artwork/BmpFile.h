#pragma once

#include <string>
#include <vector>

#include "Image.h"

// The bytes of a Windows bitmap file holding the picture: 24 bits per pixel,
// uncompressed, rows stored bottom-up, with a BITMAPINFOHEADER. Both GDI's
// LoadImage and SDL_LoadBMP read this form.
std::vector<unsigned char> encodeBmp(const Image& image);

// Writes encodeBmp's bytes to the path; false (with the reason) when the file
// cannot be written completely.
bool writeBmp(const std::string& path, const Image& image, std::string* error);
