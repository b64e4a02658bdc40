#include "objects/Bullet.h"

#include "display/Sprite.h"

int Bullet::render(Surface* target) {
    move();
    // The picture goes at the centre itself, not at the box's corner, which
    // puts it one column right and five rows down of the box it collides with.
    if (sprite != nullptr && target != nullptr) {
        sprite->Draw(0, x, y, target);
    }
    return 1;
}

int Bullet::init(std::int32_t x, std::int32_t y, std::int32_t speedY, Sprite* sprite) {
    return MovingEntity::init(x, y, 0, speedY, sprite);
}

int Bullet::initPlain(std::int32_t x, std::int32_t y, std::int32_t speedY) {
    resetStepClocks();
    this->speedY = static_cast<std::int16_t>(speedY);
    return Entity::init(x, y, 1, 5, nullptr);
}

int Bullet::move() {
    const std::int32_t dy = stepY();
    if (isOutside(0, dy) != 0) {
        alive = 0;
    } else {
        y += dy;
    }
    return 1;
}
