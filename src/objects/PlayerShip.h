#pragma once

#include <cstdint>

#include "objects/MovingEntity.h"

class InputSystem;
class PlayerBulletList;

// The player's ship: slides along its row with the arrow keys and fires with
// Space. Its box is 23 x 17, the size of its picture.
class PlayerShip : public MovingEntity {
public:
    static constexpr std::int32_t kHalfWidth = 11;
    static constexpr std::int32_t kHalfHeight = 8;
    static constexpr std::int32_t kSpeed = 250;
    static constexpr std::int32_t kShotRow = 533;
    // The ship's narrower horizontal range: left column 64, right column 478.
    static constexpr std::int32_t kLowX2 = 126;
    static constexpr std::int32_t kHighX2 = 958;

    PlayerShip() = default;

    // Moves, then draws frame 0 on the position. Returns 1.
    int render(Surface* target) override;
    int isOutsideX(std::int32_t dx) override;
    // Places the ship and makes it alive; its speeds stay as they are.
    virtual int init(std::int32_t x, std::int32_t y, Sprite* sprite);
    // One time-based step; a step that would leave the range is dropped whole.
    virtual int move();

    // Space fires through the list at (x, 533); Left, else Right, sets the
    // horizontal speed, else it is 0.
    void handleInput(InputSystem* input, PlayerBulletList* bullets, Sprite* bulletSprite);
};
