#pragma once

#include <string>

#include "Image.h"

// The game's icon as pixel art: one of the invaders on a patch of the play
// field's night sky in a rounded steel frame, with the key colour
// (transparent) outside the rounded corners. kIconArtSize pixels square is
// the master that larger sizes are scaled from; the small sizes a desktop
// shows in lists and title bars have an invader drawn pixel by pixel for
// their size, because scaling the master down loses its face.
constexpr int kIconArtSize = 32;

// Whether `size` has art of its own (16 and 24 pixels).
bool hasIconArtAt(int size);

// Paints the art at kIconArtSize, or at a size with art of its own. False,
// with the reason, when the invader's art is malformed or the size has none.
bool paintIconArt(Image* out, std::string* error);
bool paintIconArt(int size, Image* out, std::string* error);

// The icon a launcher crops to its own shape (a circle, a rounded square),
// `size` pixels square with size a multiple of kIconArtSize: the master's
// sky filling the whole square and the invader, drawn in whole-pixel steps,
// well inside the central circle that every crop keeps (four fifths of the
// width across).
bool paintMaskableIconArt(int size, Image* out, std::string* error);
