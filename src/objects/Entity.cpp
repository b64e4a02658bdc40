#include "objects/Entity.h"

#include "display/Sprite.h"

int Entity::init(std::int32_t x, std::int32_t y, std::int32_t halfWidth, std::int32_t halfHeight,
                 Sprite* sprite) {
    this->x = x;
    this->y = y;
    this->halfWidth = halfWidth;
    this->halfHeight = halfHeight;
    this->sprite = sprite;
    alive = 1;
    return 1;
}

int Entity::draw(int frame, Surface* target) {
    if (target == nullptr || sprite == nullptr) {
        return 0;
    }
    return sprite->Draw(frame, x - halfWidth, y - halfHeight, target) ? 1 : 0;
}

int Entity::overlaps(const Entity* other) const {
    if (other == nullptr) {
        return 0;
    }
    // Sums in 64 bits so that boxes far off the field cannot wrap into a hit.
    const std::int64_t top = std::int64_t{y} - halfHeight;
    const std::int64_t bottom = std::int64_t{y} + halfHeight;
    const std::int64_t left = std::int64_t{x} - halfWidth;
    const std::int64_t right = std::int64_t{x} + halfWidth;
    const std::int64_t otherTop = std::int64_t{other->y} - other->halfHeight;
    const std::int64_t otherBottom = std::int64_t{other->y} + other->halfHeight;
    const std::int64_t otherLeft = std::int64_t{other->x} - other->halfWidth;
    const std::int64_t otherRight = std::int64_t{other->x} + other->halfWidth;
    if (bottom < otherTop || top > otherBottom || left > otherRight || right < otherLeft) {
        return 0;
    }
    return 1;
}
