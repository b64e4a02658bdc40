#pragma once

#include <cstdint>

#include "objects/MovingEntity.h"

// A shot of either side: flies straight up or down until it leaves the field
// or hits something.
class Bullet : public MovingEntity {
public:
    static constexpr std::int32_t kSpeed = 400;

    Bullet() = default;

    // Moves, then draws frame 0 with its top-left corner at (x, y): the
    // picture sits one column right and five rows down from the box.
    int render(Surface* target) override;
    // Box size from the sprite's frame; moving only vertically.
    virtual int init(std::int32_t x, std::int32_t y, std::int32_t speedY, Sprite* sprite);
    // A 3 x 11 box without a picture.
    virtual int initPlain(std::int32_t x, std::int32_t y, std::int32_t speedY);
    // One vertical step; a step that would leave the field kills the bullet
    // where it stands.
    virtual int move();
};
