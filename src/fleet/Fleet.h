#pragma once

#include <cstdint>

#include "fleet/FleetGrid.h"

class Bitmap;
class EnemyBulletList;
class Entity;
class EntityChain;
class Invader;
class Sprite;
class VideoDriver;

// The formation of 55 invaders: their pictures, the march clock and
// direction, the fire clock and the counters that the game reads.
class Fleet {
public:
    static constexpr std::int32_t kLeft = 1;
    static constexpr std::int32_t kRight = 2;
    static constexpr std::int32_t kKindCount = 3;

    // Loads the three invader pictures on the driver and lays the fleet out.
    explicit Fleet(VideoDriver* driver);
    // Deletes the invaders and releases the pictures.
    ~Fleet();
    Fleet(const Fleet&) = delete;
    Fleet& operator=(const Fleet&) = delete;

    // A fresh wave: all 55 invaders in their starting cells, every counter
    // and clock back to its start, and the random generator started afresh.
    void reset();
    // One step sideways once the interval has passed, dropping and turning at
    // the edges. Nothing happens when disabled.
    void march(bool enabled);
    // Deletes the invaders that were hit; returns their points and speeds up
    // the march to match the invaders left.
    std::int32_t removeDead();
    // At most one shot a second, from the lowest invader of a random column,
    // with the bullet picture of its kind (indexed by InvaderKind).
    void fire(EnemyBulletList* bullets, Sprite** bulletSprites);
    // Each invader and the first entity of the chain that overlaps it die.
    void collideWithChain(EntityChain* chain);
    // True when any invader overlaps the entity; changes nothing.
    bool overlapsAny(const Entity* entity);

    FleetGrid* grid = nullptr;
    std::int32_t lastMarch = 0;
    std::int32_t direction = kRight;
    std::int32_t dropPending = 0;
    std::int32_t marchInterval = 0;
    bool invaded = false;
    std::int32_t aliveCount = 0;
    std::int32_t columnCounts[FleetGrid::kColumns] = {};
    std::int32_t lastFire = 0;
    std::int32_t walkRow = 0;
    std::int32_t walkColumn = 0;
    Bitmap* bitmaps[kKindCount] = {};
    Sprite* sprites[kKindCount] = {};

private:
    // The grid walk: row by row from (0, 0), skipping empty cells. Both
    // return null when the walk is over.
    Invader* walkFirst();
    Invader* walkNext();
    // The lowest invader of a column, or null when the column is empty.
    Invader* lowestIn(std::int32_t column) const;
    // A shot from the lowest invader of a random column that has invaders.
    void shoot(EnemyBulletList* bullets, Sprite** bulletSprites);
    void moveAll();
    bool anyPastSideEdge();
    bool anyPastBottom();
};
