#include "objects/PlayerShip.h"

#include "devices/DirectInputApi.h"
#include "devices/InputSystem.h"
#include "objects/PlayerBulletList.h"

int PlayerShip::render(Surface* target) {
    move();
    draw(0, target);
    return 1;
}

int PlayerShip::isOutsideX(std::int32_t dx) {
    return outsideLimits(std::int64_t{x} + dx, halfWidth, kLowX2, kHighX2);
}

int PlayerShip::init(std::int32_t x, std::int32_t y, Sprite* sprite) {
    resetStepClocks();
    return Entity::init(x, y, kHalfWidth, kHalfHeight, sprite);
}

int PlayerShip::move() {
    const std::int32_t dx = stepX();
    const std::int32_t dy = stepY();
    // A step past a bound is dropped whole; the ship is not pulled up to it.
    if (isOutside(dx, dy) == 0) {
        x += dx;
        y += dy;
    }
    return 1;
}

void PlayerShip::handleInput(InputSystem* input, PlayerBulletList* bullets, Sprite* bulletSprite) {
    // Without a keyboard no key is down.
    const bool space = input != nullptr && input->isKeyDown(DIK_SPACE);
    const bool left = input != nullptr && input->isKeyDown(DIK_LEFT);
    const bool right = input != nullptr && input->isKeyDown(DIK_RIGHT);
    if (space && bullets != nullptr) {
        bullets->fire(x, kShotRow, bulletSprite);
    }
    if (left) {
        speedX = static_cast<std::int16_t>(-kSpeed);
    } else if (right) {
        speedX = static_cast<std::int16_t>(kSpeed);
    } else {
        speedX = 0;
    }
}
