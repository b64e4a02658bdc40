#pragma once

#include <cstdint>

#include "objects/Entity.h"

// The three kinds of invader; the value also indexes the bullet pictures.
enum InvaderKind : std::int32_t { Poopy = 0, Pukey = 1, Drippy = 2 };

// One invader of the fleet: a 25 x 17 box that the fleet moves in steps.
class Invader : public Entity {
public:
    static constexpr std::int32_t kHalfWidth = 12;
    static constexpr std::int32_t kHalfHeight = 8;

    Invader() = default;

    // Draws frame 0 on the position. Returns 1.
    int render(Surface* target) override;
    virtual int init(std::int32_t x, std::int32_t y, std::int32_t kind, Sprite* sprite);
    virtual void moveRight(std::int32_t d);
    virtual void moveLeft(std::int32_t d);
    virtual void moveDown(std::int32_t d);

    std::int32_t kind = Poopy;
};
