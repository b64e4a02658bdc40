#pragma once

#include <string>
#include <vector>

#include "SpriteLook.h"
#include "platform/headless/CapturedFrame.h"

// Finds the game's objects in a screen of play: the fleet, the ship, the
// player's shots and the paused sign, by the looks of their sprites.
struct PlayLooks {
    SpriteLook invaders[3];  // by kind: poopy, pukey, drippy
    SpriteLook ship;
    SpriteLook playerShot;
    SpriteLook pausedSign;
};

bool loadPlayLooks(const std::string& pictureDir, PlayLooks* looks, std::string* error);

// Where the wave's opening layout stands: columns at x = 128 + 32c, rows at
// y = 151 + 32r, boxes of 25 x 17 centred there.
int invaderCentreX(int column);
int invaderCentreY(int row);
int invaderKind(int row);

struct FleetSighting {
    // Invaders shown at the offset where most are seen.
    int invaders = 0;
    // That offset from the opening layout.
    int dx = 0;
    int dy = 0;
};
FleetSighting findFleet(const CapturedFrame& frame, const PlayLooks& looks);

// Centre columns of every ship shown on the ship's row (centre y 558).
std::vector<int> findShips(const CapturedFrame& frame, const PlayLooks& looks);

struct Point {
    int x;
    int y;
};
// Positions of every player's shot shown inside the play field. A shot's
// picture hangs from its position (its top-left corner is there), so these
// are the shots' own positions, not their pictures' centres.
std::vector<Point> findPlayerShots(const CapturedFrame& frame, const PlayLooks& looks);

// The paused sign at its place (top-left 192, 290).
bool showsPausedSign(const CapturedFrame& frame, const PlayLooks& looks);
