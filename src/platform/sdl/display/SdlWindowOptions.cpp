#include "platform/sdl/display/SdlWindowOptions.h"

#include <algorithm>

#include "platform/PictureSize.h"

SDL_Rect windowedPlace(int display, int scale) {
    SDL_Rect usable = {0, 0, kPictureWidth, kPictureHeight};
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) SDL_GetDisplayBounds(display, &usable);
    int times = scale;
    if (times <= 0) times = std::min(usable.w / kPictureWidth, usable.h / kPictureHeight);
    times = std::max(times, 1);
    const int width = kPictureWidth * times;
    const int height = kPictureHeight * times;
    return {usable.x + std::max(0, (usable.w - width) / 2),
            usable.y + std::max(0, (usable.h - height) / 2), width, height};
}
