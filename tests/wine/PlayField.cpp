#include "PlayField.h"

namespace {

constexpr int kRows = 5;
constexpr int kColumns = 11;
constexpr int kInvaderHalfWidth = 12;
constexpr int kInvaderHalfHeight = 8;
constexpr int kShipHalfWidth = 11;
constexpr int kShipHalfHeight = 8;
constexpr int kShipRow = 558;
constexpr int kPausedLeft = 192;
constexpr int kPausedTop = 290;
// The play field between the walls; invaders never leave it.
constexpr int kFieldLeft = 32;
constexpr int kFieldRight = 509;

// The fleet's offset is looked for this far from the opening layout: past
// the walls on both sides, and down to the bottom band.
constexpr int kFleetReachX = 128;
constexpr int kFleetReachDown = 320;

int shownAtOffset(const CapturedFrame& frame, const PlayLooks& looks, int dx, int dy) {
    int shown = 0;
    for (int row = 0; row < kRows; ++row) {
        const SpriteLook& look = looks.invaders[invaderKind(row)];
        const int top = invaderCentreY(row) - kInvaderHalfHeight + dy;
        for (int column = 0; column < kColumns; ++column) {
            const int left = invaderCentreX(column) - kInvaderHalfWidth + dx;
            if (look.shownAt(frame, left, top)) ++shown;
        }
    }
    return shown;
}

}  // namespace

int invaderCentreX(int column) { return 128 + 32 * column; }
int invaderCentreY(int row) { return 151 + 32 * row; }
int invaderKind(int row) { return row == 0 ? 2 : row <= 2 ? 1 : 0; }

bool loadPlayLooks(const std::string& pictureDir, PlayLooks* looks, std::string* error) {
    const std::string dir = pictureDir + "/";
    const char* invaderFiles[3] = {"poopy.bmp", "pukey.bmp", "drippy.bmp"};
    for (int kind = 0; kind < 3; ++kind) {
        if (!loadSpriteLook(dir + invaderFiles[kind], 2, 2, 25, 17, &looks->invaders[kind],
                            error)) {
            return false;
        }
    }
    return loadSpriteLook(dir + "nanite.bmp", 2, 2, 23, 17, &looks->ship, error) &&
           loadSpriteLook(dir + "pbullet.bmp", 0, 0, 3, 11, &looks->playerShot, error) &&
           loadSpriteLook(dir + "paused.bmp", 0, 0, 142, 21, &looks->pausedSign, error);
}

FleetSighting findFleet(const CapturedFrame& frame, const PlayLooks& looks) {
    FleetSighting best;
    for (int dy = 0; dy <= kFleetReachDown; ++dy) {
        for (int dx = -kFleetReachX; dx <= kFleetReachX; ++dx) {
            const int shown = shownAtOffset(frame, looks, dx, dy);
            if (shown > best.invaders) best = {shown, dx, dy};
        }
    }
    return best;
}

std::vector<int> findShips(const CapturedFrame& frame, const PlayLooks& looks) {
    std::vector<int> found;
    for (int x = kFieldLeft + kShipHalfWidth; x <= kFieldRight - kShipHalfWidth; ++x) {
        if (looks.ship.shownAt(frame, x - kShipHalfWidth, kShipRow - kShipHalfHeight)) {
            found.push_back(x);
        }
    }
    return found;
}

std::vector<Point> findPlayerShots(const CapturedFrame& frame, const PlayLooks& looks) {
    std::vector<Point> found;
    for (int y = 0; y < CapturedFrame::kHeight; ++y) {
        for (int x = kFieldLeft; x <= kFieldRight; ++x) {
            if (looks.playerShot.shownAt(frame, x, y)) found.push_back({x, y});
        }
    }
    return found;
}

bool showsPausedSign(const CapturedFrame& frame, const PlayLooks& looks) {
    return looks.pausedSign.shownAt(frame, kPausedLeft, kPausedTop);
}
