#include "platform/replay/ReplayFingerprint.h"

#include <cstdio>
#include <vector>

#include "fleet/FleetGrid.h"
#include "fleet/Invader.h"
#include "objects/Bullet.h"
#include "objects/Bunker.h"
#include "objects/BunkerBlock.h"
#include "objects/BunkerSet.h"
#include "objects/MovingEntity.h"
#include "objects/PlayerShip.h"

namespace {

// The pictures the game loads, by the names it loads them by.
constexpr const char* kPictureNames[] = {
    "nanite.bmp",     "poopy.bmp",      "pukey.bmp",   "drippy.bmp",     "poopbullet.bmp",
    "pukebullet.bmp", "dripbullet.bmp", "pbullet.bmp", "background.bmp", "numbers.bmp",
    "getready.bmp",   "paused.bmp",     "title.bmp",   "space.bmp",      "ostrelwyn.bmp",
    "presents.bmp",   "bird.bmp",       "gameover.bmp"};

// The constants the core's headers give, and beside them those it keeps
// inside its own files (the march, the fire, the points, the pause repeat,
// the get-ready): those are copied here because no header gives them, and
// must be changed with them, so that a replay of a game that now plays
// otherwise is refused rather than shown wrong.
const std::int32_t kGameConstants[] = {
    Bullet::kSpeed, PlayerShip::kSpeed, PlayerShip::kShotRow, PlayerShip::kHalfWidth,
    PlayerShip::kHalfHeight, PlayerShip::kLowX2, PlayerShip::kHighX2, Invader::kHalfWidth,
    Invader::kHalfHeight, FleetGrid::kRows, FleetGrid::kColumns, Bunker::kBlockCount,
    BunkerBlock::kHalfSize, BunkerSet::kBunkerCount, kFieldLowX2, kFieldHighX2, kFieldLowY2,
    kFieldHighY2,
    // Kept in src/fleet/Fleet.cpp: start interval, march and drop steps,
    // edges, fire spacing, the rows' points.
    2000, 8, 16, 32, 510, 536, 1000, 10, 3, 2, 2, 1, 1,
    // src/game: pause repeat, bullet speeds, get-ready length.
    500, -400, 400, 3000};

}  // namespace

std::uint64_t fnv1a64(const void* data, std::size_t size, std::uint64_t hash) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::uint64_t replayFingerprint(const std::string& pictureFolder) {
    std::uint64_t hash = fnv1a64(kGameConstants, sizeof kGameConstants);
    std::vector<char> buffer(1 << 16);
    for (const char* name : kPictureNames) {
        hash = fnv1a64(name, std::char_traits<char>::length(name) + 1, hash);
        std::FILE* file = std::fopen((pictureFolder + name).c_str(), "rb");
        if (!file) continue;
        std::size_t got = 0;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
            hash = fnv1a64(buffer.data(), got, hash);
        }
        std::fclose(file);
    }
    return hash;
}
