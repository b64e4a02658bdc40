#pragma once

#include <cstdint>

#include "objects/EntityList.h"

// The player's shots: the list takes a new one only while it holds fewer than
// `limit`, counting dead bullets until they are removed.
class PlayerBulletList : public EntityList {
public:
    void removeDead() override;
    // Spawns a bullet moving up, unless the list is full.
    virtual void fire(std::int32_t x, std::int32_t y, Sprite* sprite);

    std::int32_t count = 0;
    std::int32_t limit = 1;
};
