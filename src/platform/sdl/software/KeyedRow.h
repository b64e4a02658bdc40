#pragma once

#include <cstdint>

#include "platform/sdl/software/SurfaceBlit.h"

// Whether a source pixel lies in the key range, and so is not drawn.
inline bool isKeyed(std::uint16_t pixel, const BlitKey& key) {
    return pixel >= key.low && pixel <= key.high;
}

// One row of a one-to-one keyed copy: source pixels inside the key range
// are skipped, every other pixel is written. The play field's background
// goes through here in every frame, row by row, so the row is copied with
// the widest vectors the processor has.
void copyKeyedRow(std::uint16_t* out, const std::uint16_t* in, int count, const BlitKey& key);

// The ways a keyed row can be copied, narrowest first. `Widest` is what
// the processor allows; the others are kept so that each can be checked
// against the plain rule on any machine that has it.
enum class KeyedRowVectors { None, Sse2, Avx512, Widest };

// Whether this processor (and this build) can copy rows that way.
bool keyedRowVectorsAvailable(KeyedRowVectors vectors);
// Copies rows that way from now on (`Widest` by default); false, and no
// change, when it is not available.
bool useKeyedRowVectors(KeyedRowVectors vectors);
