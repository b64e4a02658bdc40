#include "platform/sdl/settings/WindowPlace.h"

#include <algorithm>

namespace {

long overlap(const ScreenBox& a, const ScreenBox& b) {
    const long width = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long height = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return width > 0 && height > 0 ? width * height : 0;
}

// The start of a span of `length` moved the least to lie within [low, low + room).
int within(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

}  // namespace

ScreenBox placeKeptWindow(const ScreenBox& kept, const std::vector<ScreenBox>& screens,
                          const ScreenBox& minimum) {
    if (screens.empty()) return kept;
    const ScreenBox* screen = &screens.front();
    long most = 0;
    for (const ScreenBox& candidate : screens) {
        const long shared = overlap(kept, candidate);
        if (shared > most) {
            most = shared;
            screen = &candidate;
        }
    }
    ScreenBox placed = kept;
    placed.width = std::min(std::max(kept.width, minimum.width), screen->width);
    placed.height = std::min(std::max(kept.height, minimum.height), screen->height);
    placed.x = within(kept.x, placed.width, screen->x, screen->width);
    placed.y = within(kept.y, placed.height, screen->y, screen->height);
    return placed;
}
