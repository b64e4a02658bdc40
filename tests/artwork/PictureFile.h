#pragma once

// Reads a picture file with SDL's own decoder, independently of the game's
// loader, as 0xRRGGBB colours, row 0 at the top.

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const {
        return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
    }
};

inline std::string picturePath(const std::string& fileName) {
    return std::string(ZORBANIX_PICTURE_DIR) + "/" + fileName;
}

// False when SDL cannot read the file.
inline bool decodePicture(const std::string& path, DecodedPicture* out) {
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return false;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (!rgb) return false;
    out->width = rgb->w;
    out->height = rgb->h;
    out->rgb.resize(static_cast<std::size_t>(rgb->w) * static_cast<std::size_t>(rgb->h));
    SDL_LockSurface(rgb);
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; x < rgb->w; ++x) {
            out->rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(rgb->w) +
                     static_cast<std::size_t>(x)] = row[x] & 0xFFFFFF;
        }
    }
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
    return true;
}
