#include "platform/sdl/software/SurfaceBlit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/sdl/software/KeyedRow.h"
#include "platform/sdl/software/SoftwareErrors.h"

namespace {

DdRect wholeOf(const SDL_Surface* surface) { return DdRect{0, 0, surface->w, surface->h}; }

bool isEmpty(const DdRect& r) { return r.left >= r.right || r.top >= r.bottom; }

bool liesInside(const DdRect& r, const SDL_Surface* surface) {
    return r.left >= 0 && r.top >= 0 && r.right <= surface->w && r.bottom <= surface->h;
}

DdRect intersect(const DdRect& a, const DdRect& b) {
    return DdRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
}

// Where an operation on `rect` lands; false when it is refused.
bool landingArea(const SDL_Surface* dest, const DdRect& rect, const DdRect* clip, DdRect* out) {
    if (clip) {
        *out = intersect(intersect(rect, *clip), wholeOf(dest));
        return true;
    }
    if (!liesInside(rect, dest)) return false;
    *out = rect;
    return true;
}

std::uint16_t* rowOf(SDL_Surface* surface, int y) {
    return reinterpret_cast<std::uint16_t*>(static_cast<Uint8*>(surface->pixels) +
                                            static_cast<std::ptrdiff_t>(y) * surface->pitch);
}

// Fills narrower than this many pixels are written pixel by pixel.
constexpr int kNarrowFill = 32;

}  // namespace

DdResult fillSurfaceRect(SDL_Surface* dest, const DdRect* rect, const DdRect* clip,
                         std::uint16_t value) {
    const DdRect wanted = rect ? *rect : wholeOf(dest);
    if (isEmpty(wanted)) return software::kErrInvalidRect;
    DdRect area;
    if (!landingArea(dest, wanted, clip, &area)) return software::kErrInvalidRect;
    if (isEmpty(area)) return DD_OK;
    // Every frame begins by clearing the whole screen to black, so a value
    // whose two bytes are alike (black is) is filled as bytes, and whole
    // rows of a gapless surface in one go. Narrow fills (the bunker blocks,
    // sixty a frame) are too short for anything but a plain loop; wide ones
    // of other values go through SDL's fill, which writes whole vectors.
    const int width = area.right - area.left;
    if (width < kNarrowFill) {
        for (int y = area.top; y < area.bottom; ++y) {
            std::fill_n(rowOf(dest, y) + area.left, width, value);
        }
        return DD_OK;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 2;
    if ((value & 0xFF) == (value >> 8)) {
        const int byte = value & 0xFF;
        if (rowBytes == static_cast<std::size_t>(dest->pitch)) {
            std::memset(rowOf(dest, area.top), byte, rowBytes * (area.bottom - area.top));
        } else {
            for (int y = area.top; y < area.bottom; ++y) {
                std::memset(rowOf(dest, y) + area.left, byte, rowBytes);
            }
        }
        return DD_OK;
    }
    SDL_Rect cut{area.left, area.top, area.right - area.left, area.bottom - area.top};
    return SDL_FillRect(dest, &cut, value) == 0 ? DD_OK : DDERR_GENERIC;
}

DdResult blitSurfaceRect(SDL_Surface* dest, const DdRect* destRect, const DdRect* clip,
                         SDL_Surface* source, const DdRect* sourceRect, const BlitKey& key) {
    const DdRect to = destRect ? *destRect : wholeOf(dest);
    const DdRect from = sourceRect ? *sourceRect : wholeOf(source);
    if (isEmpty(to) || isEmpty(from) || !liesInside(from, source)) {
        return software::kErrInvalidRect;
    }
    DdRect area;
    if (!landingArea(dest, to, clip, &area)) return software::kErrInvalidRect;
    if (isEmpty(area)) return DD_OK;

    // A surface blitted onto itself reads from a copy, so that overlapping
    // rectangles read the picture as it was before the blit.
    SDL_Surface* copy = nullptr;
    if (source == dest) {
        copy = SDL_DuplicateSurface(source);
        if (!copy) return DDERR_OUTOFMEMORY;
        source = copy;
    }

    const std::int64_t toWidth = std::int64_t{to.right} - to.left;
    const std::int64_t toHeight = std::int64_t{to.bottom} - to.top;
    const std::int64_t fromWidth = std::int64_t{from.right} - from.left;
    const std::int64_t fromHeight = std::int64_t{from.bottom} - from.top;
    const bool oneToOne = toWidth == fromWidth;
    const bool sameHeight = toHeight == fromHeight;
    for (int y = area.top; y < area.bottom; ++y) {
        const std::int64_t down = std::int64_t{y} - to.top;
        const int sourceY =
            from.top + static_cast<int>(sameHeight ? down : down * fromHeight / toHeight);
        const std::uint16_t* in = rowOf(source, sourceY);
        std::uint16_t* out = rowOf(dest, y);
        if (oneToOne) {
            const std::int64_t firstX = from.left + (std::int64_t{area.left} - to.left);
            const int count = area.right - area.left;
            if (key.active) {
                copyKeyedRow(out + area.left, in + firstX, count, key);
            } else {
                std::memcpy(out + area.left, in + firstX,
                            static_cast<std::size_t>(count) * sizeof(std::uint16_t));
            }
            continue;
        }
        for (int x = area.left; x < area.right; ++x) {
            const int sourceX =
                from.left + static_cast<int>((std::int64_t{x} - to.left) * fromWidth / toWidth);
            const std::uint16_t pixel = in[sourceX];
            if (key.active && isKeyed(pixel, key)) continue;
            out[x] = pixel;
        }
    }
    SDL_FreeSurface(copy);
    return DD_OK;
}
