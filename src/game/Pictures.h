#pragma once

#include <cstdint>

class Bitmap;
class Sprite;
class VideoDriver;

// Magenta marks the transparent pixels of every keyed picture.
constexpr std::uint32_t kTransparentColour = 0xff00ff;

// A new bitmap holding the named picture file. A file that cannot be read
// leaves the bitmap empty, so whatever is cut from it stays blank.
Bitmap* loadBitmap(const char* fileName);

// A new one-frame sprite of the given size on the driver, its frame cut from
// the bitmap at (sourceX, sourceY), keyed on magenta when asked.
Sprite* cutSprite(VideoDriver* driver, Bitmap* bitmap, int width, int height, int sourceX,
                  int sourceY, bool keyed);

// Release the picture and empty the caller's pointer; an empty pointer is left
// alone.
void destroyBitmap(Bitmap*& bitmap);
void destroySprite(Sprite*& sprite);
