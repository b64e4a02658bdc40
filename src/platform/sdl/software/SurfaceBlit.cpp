#include "platform/sdl/software/SurfaceBlit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Rows at least this wide are copied from a 16-byte boundary on.
constexpr int kAlignedRow = 64;

bool isKeyed(std::uint16_t pixel, const BlitKey& key) {
    return pixel >= key.low && pixel <= key.high;
}

#if defined(__SSE2__)
// Eight pixels onto the row: where the source is keyed, what lies beneath
// stays.
inline void mergeEight(std::uint16_t* out, __m128i source, __m128i keyed) {
    auto* target = reinterpret_cast<__m128i*>(out);
    const __m128i beneath = _mm_loadu_si128(target);
    _mm_storeu_si128(target,
                     _mm_or_si128(_mm_andnot_si128(keyed, source), _mm_and_si128(keyed, beneath)));
}

inline __m128i loadEight(const std::uint16_t* in) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
}
#endif

// One pixel of a keyed copy, without a branch: a sprite's edges mix keyed
// and drawn pixels in no order a predictor could follow.
inline void mergeOne(std::uint16_t* out, std::uint16_t pixel, const BlitKey& key) {
    *out = isKeyed(pixel, key) ? *out : pixel;
}

// One row of a one-to-one keyed copy. A whole picture goes through here in
// every frame (the play field's background is keyed), so a single key value
// is compared many pixels at a time: 32 pixels without a keyed one are
// stored whole, and only blocks that hold the key are merged eight by eight
// with what lies beneath. A wide row first reaches a 16-byte boundary, as
// stores that straddle cache lines cost twice. A key range, and what is left
// at the ends, go one pixel at a time.
void copyKeyedRow(std::uint16_t* out, const std::uint16_t* in, int count, const BlitKey& key) {
    int x = 0;
#if defined(__SSE2__)
    if (key.low == key.high) {
        if (count >= kAlignedRow) {
            for (; x < 8 && (reinterpret_cast<std::uintptr_t>(out + x) & 15) != 0; ++x) {
                mergeOne(out + x, in[x], key);
            }
        }
        const __m128i keyValue = _mm_set1_epi16(static_cast<short>(key.low));
        for (; x + 32 <= count; x += 32) {
            const __m128i s0 = loadEight(in + x);
            const __m128i s1 = loadEight(in + x + 8);
            const __m128i s2 = loadEight(in + x + 16);
            const __m128i s3 = loadEight(in + x + 24);
            const __m128i k0 = _mm_cmpeq_epi16(s0, keyValue);
            const __m128i k1 = _mm_cmpeq_epi16(s1, keyValue);
            const __m128i k2 = _mm_cmpeq_epi16(s2, keyValue);
            const __m128i k3 = _mm_cmpeq_epi16(s3, keyValue);
            const __m128i any = _mm_or_si128(_mm_or_si128(k0, k1), _mm_or_si128(k2, k3));
            if (_mm_movemask_epi8(any) == 0) {
                auto* target = reinterpret_cast<__m128i*>(out + x);
                _mm_storeu_si128(target, s0);
                _mm_storeu_si128(target + 1, s1);
                _mm_storeu_si128(target + 2, s2);
                _mm_storeu_si128(target + 3, s3);
                continue;
            }
            mergeEight(out + x, s0, k0);
            mergeEight(out + x + 8, s1, k1);
            mergeEight(out + x + 16, s2, k2);
            mergeEight(out + x + 24, s3, k3);
        }
        for (; x + 8 <= count; x += 8) {
            const __m128i source = loadEight(in + x);
            mergeEight(out + x, source, _mm_cmpeq_epi16(source, keyValue));
        }
    }
#endif
    for (; x < count; ++x) mergeOne(out + x, in[x], key);
}

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
