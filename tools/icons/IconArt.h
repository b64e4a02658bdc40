#pragma once

#include <string>

#include "Image.h"

// The game's icon as pixel art: one of the invaders on a patch of the play
// field's night sky in a rounded steel frame, kIconArtSize pixels square,
// with the key colour (transparent) outside the rounded corners. False, with
// the reason, when the invader's art is malformed.
constexpr int kIconArtSize = 32;
bool paintIconArt(Image* out, std::string* error);
