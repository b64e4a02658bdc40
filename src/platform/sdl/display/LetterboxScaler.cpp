#include "platform/sdl/display/LetterboxScaler.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// 5 and 6 bits widen to 8 by repeating their top bits below them, so that
// full intensity stays full: (v << 3 | v >> 2) and (v << 2 | v >> 4).
// With `RedLow` red goes into the low byte and blue into the third (the
// browser's canvas layout) instead.
template <bool RedLow>
inline Uint32 widen(std::uint16_t pixel) {
    Uint32 red = pixel >> 11;
    const Uint32 green = (pixel >> 5) & 0x3F;
    Uint32 blue = pixel & 0x1F;
    if (RedLow) std::swap(red, blue);
    return 0xFF000000u | ((red << 3 | red >> 2) << 16) | ((green << 2 | green >> 4) << 8) |
           (blue << 3 | blue >> 2);
}

// One row from RGB565 to 0xFFRRGGBB. Eight pixels at a time where SSE2 is
// there: each channel is masked in place and widened with one high-half
// multiply, (v << 11) * 264 >> 16 being v << 3 | v >> 2 for 5 bits and
// (v << 5) * 8320 >> 16 being v << 2 | v >> 4 for 6. The layout is a
// template argument so that the loop carries no test of it.
template <bool RedLow>
void widenRowAs(const std::uint16_t* in, Uint32* out, int count) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i redMask = _mm_set1_epi16(static_cast<short>(0xF800));
    const __m128i greenMask = _mm_set1_epi16(0x07E0);
    const __m128i fiveBits = _mm_set1_epi16(264);
    const __m128i sixBits = _mm_set1_epi16(8320);
    const __m128i opaque = _mm_set1_epi16(static_cast<short>(0xFF00));
    for (; x + 8 <= count; x += 8) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        const __m128i high = _mm_mulhi_epu16(_mm_and_si128(pixels, redMask), fiveBits);
        const __m128i green = _mm_mulhi_epu16(_mm_and_si128(pixels, greenMask), sixBits);
        const __m128i low = _mm_mulhi_epu16(_mm_slli_epi16(pixels, 11), fiveBits);
        const __m128i red = RedLow ? low : high;
        const __m128i blue = RedLow ? high : low;
        const __m128i greenBlue = _mm_or_si128(_mm_slli_epi16(green, 8), blue);
        const __m128i alphaRed = _mm_or_si128(red, opaque);
        auto* target = reinterpret_cast<__m128i*>(out + x);
        _mm_storeu_si128(target, _mm_unpacklo_epi16(greenBlue, alphaRed));
        _mm_storeu_si128(target + 1, _mm_unpackhi_epi16(greenBlue, alphaRed));
    }
#endif
    for (; x < count; ++x) out[x] = widen<RedLow>(in[x]);
}

void widenRow(const std::uint16_t* in, Uint32* out, int count, bool redLow) {
    if (redLow) {
        widenRowAs<true>(in, out, count);
    } else {
        widenRowAs<false>(in, out, count);
    }
}

const std::uint16_t* frameRow(const SDL_Surface* frame, int y) {
    return reinterpret_cast<const std::uint16_t*>(static_cast<const Uint8*>(frame->pixels) +
                                                  static_cast<std::ptrdiff_t>(y) * frame->pitch);
}

Uint32* targetRow(SDL_Surface* target, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) +
                                     static_cast<std::ptrdiff_t>(y) * target->pitch);
}

}  // namespace

bool LetterboxScaler::writes(const SDL_Surface* target) {
    if (!target || !target->format) return false;
    const Uint32 format = target->format->format;
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888 ||
           format == SDL_PIXELFORMAT_BGR888 || format == SDL_PIXELFORMAT_ABGR8888;
}

SDL_Rect LetterboxScaler::placement(int frameWidth, int frameHeight, int targetWidth,
                                    int targetHeight, bool wholeNumbers) {
    SDL_Rect area = {0, 0, targetWidth, targetHeight};
    const int times =
        wholeNumbers ? std::min(targetWidth / frameWidth, targetHeight / frameHeight) : 0;
    if (times >= 1) {
        area.w = frameWidth * times;
        area.h = frameHeight * times;
    } else {
        const long long wide = static_cast<long long>(targetWidth) * frameHeight;
        const long long tall = static_cast<long long>(targetHeight) * frameWidth;
        if (wide >= tall) {
            area.w = static_cast<int>(tall / frameHeight);
        } else {
            area.h = static_cast<int>(wide / frameWidth);
        }
    }
    area.x = (targetWidth - area.w) / 2;
    area.y = (targetHeight - area.h) / 2;
    return area;
}

void LetterboxScaler::setIntegerScale(bool on) {
    if (on != integerScale_) reset();
    integerScale_ = on;
}

void LetterboxScaler::layOut(const SDL_Surface* frame, SDL_Surface* target) {
    target_ = target;
    targetWidth_ = target->w;
    targetHeight_ = target->h;
    frameWidth_ = frame->w;
    frameHeight_ = frame->h;
    area_ = placement(frame->w, frame->h, target->w, target->h, integerScale_);
    sourceColumn_.resize(static_cast<std::size_t>(area_.w));
    for (int x = 0; x < area_.w; ++x) {
        sourceColumn_[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<long long>(x) * frame->w / area_.w);
    }
    widened_.resize(static_cast<std::size_t>(frame->w));
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
}

void LetterboxScaler::draw(const SDL_Surface* frame, SDL_Surface* target) {
    if (!frame || !frame->pixels || frame->w <= 0 || frame->h <= 0 || !writes(target)) return;
    const bool locked = SDL_MUSTLOCK(target) && SDL_LockSurface(target) == 0;
    if (!target->pixels) {
        if (locked) SDL_UnlockSurface(target);
        return;
    }
    if (target != target_ || target->w != targetWidth_ || target->h != targetHeight_ ||
        frame->w != frameWidth_ || frame->h != frameHeight_) {
        layOut(frame, target);
    }
    const bool unscaled = area_.w == frame->w;
    const bool redLow = target->format->Rmask == 0xFF;
    const std::size_t rowBytes = static_cast<std::size_t>(area_.w) * sizeof(Uint32);
    int lastSource = -1;
    const Uint32* lastRow = nullptr;
    for (int y = 0; y < area_.h; ++y) {
        const int source = static_cast<int>(static_cast<long long>(y) * frame->h / area_.h);
        Uint32* out = targetRow(target, area_.y + y) + area_.x;
        if (source == lastSource) {
            // A row shown again below itself.
            std::memcpy(out, lastRow, rowBytes);
            continue;
        }
        if (unscaled) {
            widenRow(frameRow(frame, source), out, area_.w, redLow);
        } else {
            widenRow(frameRow(frame, source), widened_.data(), frame->w, redLow);
            for (int x = 0; x < area_.w; ++x) {
                out[x] = widened_[static_cast<std::size_t>(sourceColumn_[x])];
            }
        }
        lastSource = source;
        lastRow = out;
    }
    if (locked) SDL_UnlockSurface(target);
}
