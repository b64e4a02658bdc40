#pragma once

#include <cstdint>

#include "objects/EntityList.h"

// The invaders' shots; any number may be in flight.
class EnemyBulletList : public EntityList {
public:
    // Spawns a bullet moving down.
    virtual void drop(std::int32_t x, std::int32_t y, Sprite* sprite);
    virtual void dropPlain(std::int32_t x, std::int32_t y);
};
