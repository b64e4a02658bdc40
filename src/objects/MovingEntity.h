#pragma once

#include <cstdint>

#include "objects/Entity.h"

// Bounds of the play field as limits of the doubled-coordinate test: twice the
// centre plus or minus the full box width must stay within [low, high].
constexpr std::int32_t kFieldLowX2 = 62;     // left column 32
constexpr std::int32_t kFieldHighX2 = 1020;  // right column 509
constexpr std::int32_t kFieldLowY2 = 24;     // top row 13
constexpr std::int32_t kFieldHighY2 = 1150;  // bottom row 574

// An entity with a speed in pixels per second on each axis, turned into whole
// pixel steps by the game clock, and the bounds of the play field.
class MovingEntity : public Entity {
public:
    MovingEntity() = default;

    // Takes the box size from the sprite's frame (half of width and height,
    // rounded down). Without a sprite the entity still comes to life, as a
    // one-pixel box, and the answer is 0.
    int init(std::int32_t x, std::int32_t y, std::int32_t speedX, std::int32_t speedY,
             Sprite* sprite);
    // Both step clocks to the current game time.
    void resetStepClocks();

    // Whole pixels due on each axis since that axis last stepped.
    std::int32_t stepX();
    std::int32_t stepY();

    // Draws frame 0 without moving.
    int render(Surface* target) override;
    // 1 when the box, moved dx columns, would reach outside the field.
    virtual int isOutsideX(std::int32_t dx);

    int isOutsideY(std::int32_t dy);
    int isOutside(std::int32_t dx, std::int32_t dy);

    std::int16_t speedX = 0;
    std::int16_t speedY = 0;
    std::int32_t lastStepX = 0;
    std::int32_t lastStepY = 0;

protected:
    // The doubled test: 1 when 2*centre -/+ (2*half + 1) leaves [low, high].
    static int outsideLimits(std::int64_t centre, std::int32_t half, std::int32_t low,
                             std::int32_t high);
};
