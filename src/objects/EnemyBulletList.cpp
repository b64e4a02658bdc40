#include "objects/EnemyBulletList.h"

#include "objects/Bullet.h"

void EnemyBulletList::drop(std::int32_t x, std::int32_t y, Sprite* sprite) {
    spawn(x, y, Bullet::kSpeed, sprite);
}

void EnemyBulletList::dropPlain(std::int32_t x, std::int32_t y) {
    spawnPlain(x, y, Bullet::kSpeed);
}
