// Where a window kept from an earlier run opens when the screens changed.
#include <gtest/gtest.h>

#include "platform/sdl/settings/WindowPlace.h"

namespace {

void expectBox(const ScreenBox& box, int x, int y, int width, int height) {
    EXPECT_EQ(box.x, x);
    EXPECT_EQ(box.y, y);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

TEST(WindowPlaceTest, AKeptWindowStaysWhereItWasLeftOrMovesTheLeastOntoAScreen) {
    // Two screens side by side; the left one has a panel across its top.
    const std::vector<ScreenBox> screens = {{0, 30, 1920, 1050}, {1920, 0, 1280, 1024}};
    const ScreenBox minimum = {0, 0, 400, 300};
    // Where it was left, on either screen: as it was.
    expectBox(placeKeptWindow({100, 260, 800, 600}, screens, minimum), 100, 260, 800, 600);
    expectBox(placeKeptWindow({2000, 100, 1024, 768}, screens, minimum), 2000, 100, 1024, 768);
    // Over the edge between them: onto the one it covers most.
    expectBox(placeKeptWindow({1700, 100, 800, 600}, screens, minimum), 1920, 100, 800, 600);
    // Off every screen (the second one unplugged): onto the first, moved
    // the least, below the panel; too large: the screen's size.
    expectBox(placeKeptWindow({2500, -50, 800, 600}, {screens[0]}, minimum), 1120, 30, 800, 600);
    expectBox(placeKeptWindow({-10, 0, 2400, 1400}, {screens[0]}, minimum), 0, 30, 1920, 1050);
    // Shrunk below the minimum by hand in the file: the minimum.
    expectBox(placeKeptWindow({50, 50, 120, 90}, screens, minimum), 50, 50, 400, 300);
    // No screen known: as kept.
    expectBox(placeKeptWindow({-5, -5, 10, 10}, {}, minimum), -5, -5, 10, 10);
}

}  // namespace
