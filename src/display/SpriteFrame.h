#pragma once

#include "display/Surface.h"

class Bitmap;
class VideoDriver;

// One frame of a sprite: a system-memory surface of the frame's size, black
// until a picture is loaded into it.
class SpriteFrame : public Surface {
public:
    bool Create(VideoDriver* driver, int width, int height);
    bool LoadFrom(Bitmap* bitmap, int sourceX, int sourceY);
    // Draws the whole frame with its top-left corner at (x, y).
    virtual bool DrawAt(Surface* destination, int x, int y);

    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    Bitmap* sourceBitmap_ = nullptr;
    int sourceX_ = 0;
    int sourceY_ = 0;
};
