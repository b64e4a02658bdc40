#pragma once

#include <vector>

// A rectangle on the desktop, in screen pixels.
struct ScreenBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where a window kept from an earlier run goes now that the screens may have
// changed (unplugged, smaller, rearranged): on the screen it overlaps most
// (the first one when it overlaps none), no larger than that screen's usable
// area and no smaller than `minimum`, and moved the least that puts it
// wholly on that screen. A window that still lies on a screen stays where it
// was left. With no screen known the window is returned as it was kept.
ScreenBox placeKeptWindow(const ScreenBox& kept, const std::vector<ScreenBox>& screens,
                          const ScreenBox& minimum);
