#pragma once

#include <SDL.h>

#include <vector>

// Draws the game's RGB565 frames straight into a window's own 32-bit
// surface: scaled by the largest factor that fits the window (or the largest
// whole number, when asked), nearest neighbour, centred between black bars.
// This is the presentation where no graphics hardware draws for us (a
// software renderer, or OpenGL on a software rasterizer), so it is one pass
// from the frame to the window's pixels: no texture, no second copy, no
// blending.
class LetterboxScaler {
public:
    // Whether this scaler writes `target`'s layout: 32 bits, blue in the low
    // byte and red in the third (SDL's RGB888 and ARGB8888), or the other way
    // round (BGR888 and ABGR8888: the browser's canvas).
    static bool writes(const SDL_Surface* target);

    // Where a frame goes in a target: the largest picture of the frame's
    // shape that fits, centred. With `wholeNumbers` every frame pixel is the
    // same number of target pixels, unless even one to one does not fit, when
    // the picture shrinks to fit as it would otherwise.
    static SDL_Rect placement(int frameWidth, int frameHeight, int targetWidth, int targetHeight,
                              bool wholeNumbers);

    // `frame` is RGB565. The bars are painted when the target is new or has
    // changed size; otherwise only the picture is written.
    void draw(const SDL_Surface* frame, SDL_Surface* target);

    // The picture's place in the target at the last draw.
    const SDL_Rect& area() const { return area_; }
    // Forgets the target: the next draw lays out and paints the bars again.
    void reset() { target_ = nullptr; }
    // Scales by whole numbers only from the next draw on.
    void setIntegerScale(bool on);
    bool integerScale() const { return integerScale_; }

private:
    void layOut(const SDL_Surface* frame, SDL_Surface* target);

    const SDL_Surface* target_ = nullptr;
    bool integerScale_ = false;
    int targetWidth_ = 0;
    int targetHeight_ = 0;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    SDL_Rect area_ = {0, 0, 0, 0};
    std::vector<int> sourceColumn_;  // for each picture column
    std::vector<Uint32> widened_;    // one frame row in the target's layout
};
