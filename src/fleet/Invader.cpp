#include "fleet/Invader.h"

int Invader::render(Surface* target) {
    draw(0, target);
    return 1;
}

int Invader::init(std::int32_t x, std::int32_t y, std::int32_t kind, Sprite* sprite) {
    this->kind = kind;
    return Entity::init(x, y, kHalfWidth, kHalfHeight, sprite);
}

void Invader::moveRight(std::int32_t d) { x += d; }

void Invader::moveLeft(std::int32_t d) { x -= d; }

void Invader::moveDown(std::int32_t d) { y += d; }
