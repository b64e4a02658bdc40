#pragma once

#include "PixelArt.h"

// The cast, as pixel art: the player's ship, the three invaders and the four
// kinds of shot. Each is exactly the size the game cuts from its picture.
extern const PixelArt kNaniteArt;      // 23 x 17
extern const PixelArt kPoopyArt;       // 25 x 17
extern const PixelArt kPukeyArt;       // 25 x 17
extern const PixelArt kDrippyArt;      // 25 x 17
extern const PixelArt kPoopShotArt;    // 3 x 11
extern const PixelArt kPukeShotArt;    // 3 x 11
extern const PixelArt kDripShotArt;    // 3 x 11
extern const PixelArt kPlayerShotArt;  // 3 x 11
