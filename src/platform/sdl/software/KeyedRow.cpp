#include "platform/sdl/software/KeyedRow.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ZORBANIX_X86 1
#endif

namespace {

// One pixel, without a branch: a sprite's edges mix keyed and drawn pixels
// in no order a predictor could follow.
inline void mergeOne(std::uint16_t* out, std::uint16_t pixel, const BlitKey& key) {
    *out = isKeyed(pixel, key) ? *out : pixel;
}

void copyPlain(std::uint16_t* out, const std::uint16_t* in, int count, const BlitKey& key) {
    for (int x = 0; x < count; ++x) mergeOne(out + x, in[x], key);
}

#if defined(__SSE2__)
// Rows at least this wide are copied from a 16-byte boundary on, as stores
// that straddle cache lines cost twice.
constexpr int kAlignedRow = 64;

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

// A single key value, eight pixels at a time: 32 pixels without a keyed
// one are stored whole, and only blocks that hold the key are merged with
// what lies beneath. What is left at the ends goes one pixel at a time.
void copySse2(std::uint16_t* out, const std::uint16_t* in, int count, const BlitKey& key) {
    int x = 0;
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
    copyPlain(out + x, in + x, count - x, key);
}
#endif

#if defined(ZORBANIX_X86) && defined(__GNUC__)
#define ZORBANIX_AVX512 1
// A key range, 32 pixels at a time, written with masked stores: a keyed
// pixel is simply not stored, so what lies beneath is never read. A sprite
// row (25 pixels for an invader) is one masked load, two compares and one
// masked store, with no pixel-by-pixel tail. A wider row first copies up to
// the next 64-byte boundary of the destination, so that no full store
// straddles two cache lines.
__attribute__((target("avx512f,avx512bw"))) inline void copyAvx512Part(std::uint16_t* out,
                                                                       const std::uint16_t* in,
                                                                       __mmask32 inside,
                                                                       __m512i low, __m512i high) {
    const __m512i source = _mm512_maskz_loadu_epi16(inside, in);
    const __mmask32 keyed =
        _mm512_mask_cmpge_epu16_mask(inside, source, low) & _mm512_cmple_epu16_mask(source, high);
    _mm512_mask_storeu_epi16(out, inside & static_cast<__mmask32>(~keyed), source);
}

__attribute__((target("avx512f,avx512bw"))) void copyAvx512(std::uint16_t* out,
                                                            const std::uint16_t* in, int count,
                                                            const BlitKey& key) {
    const __m512i low = _mm512_set1_epi16(static_cast<short>(key.low));
    const __m512i high = _mm512_set1_epi16(static_cast<short>(key.high));
    int x = 0;
    const auto address = reinterpret_cast<std::uintptr_t>(out);
    if (count > 32 && (address & 1) == 0) {
        const int head = static_cast<int>((64 - (address & 63)) & 63) / 2;
        if (head > 0) {
            copyAvx512Part(out, in, static_cast<__mmask32>((1u << head) - 1), low, high);
            x = head;
        }
    }
    for (; x + 32 <= count; x += 32) {
        const __m512i source = _mm512_loadu_si512(in + x);
        const __mmask32 keyed =
            _mm512_cmpge_epu16_mask(source, low) & _mm512_cmple_epu16_mask(source, high);
        if (keyed == 0) {
            _mm512_storeu_si512(out + x, source);
        } else {
            _mm512_mask_storeu_epi16(out + x, static_cast<__mmask32>(~keyed), source);
        }
    }
    if (x < count) {
        const __mmask32 inside = static_cast<__mmask32>((1ull << (count - x)) - 1);
        copyAvx512Part(out + x, in + x, inside, low, high);
    }
}
#endif

// The key values lie in 16 bits; a range beyond them (never set by the
// display) is left to the plain loop, which compares in 32.
bool fitsSixteenBits(const BlitKey& key) { return key.high <= 0xFFFF; }

KeyedRowVectors chosen = KeyedRowVectors::Widest;

#if defined(__SSE2__)
constexpr bool kSse2Built = true;
#else
constexpr bool kSse2Built = false;
#endif

}  // namespace

bool keyedRowVectorsAvailable(KeyedRowVectors vectors) {
    switch (vectors) {
        case KeyedRowVectors::None:
        case KeyedRowVectors::Widest:
            return true;
        case KeyedRowVectors::Sse2:
            return kSse2Built;
        case KeyedRowVectors::Avx512:
#if defined(ZORBANIX_AVX512)
            return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
#else
            return false;
#endif
    }
    return false;
}

bool useKeyedRowVectors(KeyedRowVectors vectors) {
    if (!keyedRowVectorsAvailable(vectors)) return false;
    chosen = vectors;
    return true;
}

void copyKeyedRow(std::uint16_t* out, const std::uint16_t* in, int count, const BlitKey& key) {
    static const bool hasAvx512 = keyedRowVectorsAvailable(KeyedRowVectors::Avx512);
    KeyedRowVectors vectors = chosen;
    if (vectors == KeyedRowVectors::Widest) {
        vectors = hasAvx512 ? KeyedRowVectors::Avx512 : KeyedRowVectors::Sse2;
    }
    if (!fitsSixteenBits(key)) vectors = KeyedRowVectors::None;
#if defined(ZORBANIX_AVX512)
    if (vectors == KeyedRowVectors::Avx512) {
        copyAvx512(out, in, count, key);
        return;
    }
#endif
#if defined(__SSE2__)
    if (vectors == KeyedRowVectors::Sse2 && key.low == key.high) {
        copySse2(out, in, count, key);
        return;
    }
#endif
    copyPlain(out, in, count, key);
}
