#include "objects/MovingEntity.h"

#include <limits>

#include "base/GameClock.h"
#include "display/Sprite.h"

namespace {

// 0.001 as the single-precision constant the motion has always used (a hair
// above one thousandth); the product is then taken in double precision.
constexpr float kPerMillisecond = 0.001f;

std::int32_t timeStep(std::int16_t speed, std::int32_t& lastStep) {
    if (speed == 0) {
        // A standing object keeps its clock on the present, so that motion
        // starting later is measured from now.
        lastStep = gameTime();
        return 0;
    }
    // Signed 32-bit difference, wrapping as the tick counter does.
    const std::int32_t elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(gameTime()) -
                                                           static_cast<std::uint32_t>(lastStep));
    double pixels = static_cast<double>(speed) * static_cast<double>(kPerMillisecond) * elapsed;
    // Clamp before truncating: a step this long is refused by the bounds
    // tests anyway, but converting it unclamped would be undefined.
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (pixels > kMax) {
        pixels = kMax;
    } else if (pixels < kMin) {
        pixels = kMin;
    }
    const std::int32_t step = static_cast<std::int32_t>(pixels);
    if (step != 0) {
        // The unmoved fraction is dropped, not carried.
        lastStep = gameTime();
    }
    return step;
}

}  // namespace

int MovingEntity::init(std::int32_t x, std::int32_t y, std::int32_t speedX, std::int32_t speedY,
                       Sprite* sprite) {
    this->speedX = static_cast<std::int16_t>(speedX);
    this->speedY = static_cast<std::int16_t>(speedY);
    resetStepClocks();
    if (sprite == nullptr) {
        // Without a picture there is no frame to size the box from: the
        // object still plays as a one-pixel box, and the caller hears of it.
        Entity::init(x, y, 0, 0, nullptr);
        return 0;
    }
    return Entity::init(x, y, sprite->frameWidth() / 2, sprite->frameHeight() / 2, sprite);
}

void MovingEntity::resetStepClocks() {
    lastStepX = gameTime();
    lastStepY = gameTime();
}

std::int32_t MovingEntity::stepX() { return timeStep(speedX, lastStepX); }

std::int32_t MovingEntity::stepY() { return timeStep(speedY, lastStepY); }

int MovingEntity::render(Surface* target) {
    draw(0, target);
    return 1;
}

int MovingEntity::outsideLimits(std::int64_t centre, std::int32_t half, std::int32_t low,
                                std::int32_t high) {
    // Doubled coordinates keep the odd box widths in whole numbers; 64 bits
    // keep a long step from wrapping back inside.
    const std::int64_t c = 2 * centre;
    const std::int64_t w = 2 * std::int64_t{half} + 1;
    return (c - w < low || c + w > high) ? 1 : 0;
}

int MovingEntity::isOutsideX(std::int32_t dx) {
    return outsideLimits(std::int64_t{x} + dx, halfWidth, kFieldLowX2, kFieldHighX2);
}

int MovingEntity::isOutsideY(std::int32_t dy) {
    return outsideLimits(std::int64_t{y} + dy, halfHeight, kFieldLowY2, kFieldHighY2);
}

int MovingEntity::isOutside(std::int32_t dx, std::int32_t dy) {
    return (isOutsideX(dx) != 0 || isOutsideY(dy) != 0) ? 1 : 0;
}
