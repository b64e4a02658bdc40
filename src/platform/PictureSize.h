#pragma once

// The picture every platform layer shows: the one display mode the game asks
// for (800 x 600 x 16). The core names the same size where its own design
// needs it; the platform layers take it from here.
constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;
