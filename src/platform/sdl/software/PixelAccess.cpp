#include "platform/sdl/software/PixelAccess.h"

namespace {

const Uint8* pixelAddress(const SDL_Surface* surface, int x, int y) {
    return static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
           x * surface->format->BytesPerPixel;
}

}  // namespace

std::uint32_t readPixel(const SDL_Surface* surface, int x, int y) {
    const Uint8* p = pixelAddress(surface, x, y);
    switch (surface->format->BytesPerPixel) {
        case 1:
            return p[0];
        case 2:
            return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
        case 3:
            return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                   static_cast<std::uint32_t>(p[2]) << 16;
        default:
            return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
}

void writePixel(SDL_Surface* surface, int x, int y, std::uint32_t raw) {
    Uint8* p = const_cast<Uint8*>(pixelAddress(surface, x, y));
    const int bytes = surface->format->BytesPerPixel;
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<Uint8>(raw >> (8 * i));
}

std::uint32_t rawFromColourRef(const SDL_Surface* surface, std::uint32_t colourRef) {
    const Uint8 red = colourRef & 0xFF;
    const Uint8 green = (colourRef >> 8) & 0xFF;
    const Uint8 blue = (colourRef >> 16) & 0xFF;
    return SDL_MapRGB(surface->format, red, green, blue);
}

std::uint32_t colourRefFromRaw(const SDL_Surface* surface, std::uint32_t raw) {
    Uint8 red = 0;
    Uint8 green = 0;
    Uint8 blue = 0;
    SDL_GetRGB(raw, surface->format, &red, &green, &blue);
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}
