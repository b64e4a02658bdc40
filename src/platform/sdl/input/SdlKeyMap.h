#pragma once

#include <SDL.h>

#include <cstdint>

// SDL scancodes name keys by their place on the board (USB usage codes), and
// so do DirectInput's DIK_ codes (set-1 scan codes); this maps one onto the
// other, so that a key reads under the same code whatever the layout.

// The DIK_ code of the key at `scancode`'s place; 0 for a key DirectInput
// has no code for.
std::uint8_t dikFromScancode(SDL_Scancode scancode);

// Fills a 256-byte DirectInput keyboard snapshot from SDL's key-state array
// (`count` entries): 0x80 for every key down, 0 for the rest.
void fillDikSnapshot(const Uint8* state, int count, std::uint8_t* keys);
