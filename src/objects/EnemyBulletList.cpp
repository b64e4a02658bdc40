#include "objects/EnemyBulletList.h"

#include "devices/SoundCues.h"
#include "objects/Bullet.h"

void EnemyBulletList::drop(std::int32_t x, std::int32_t y, Sprite* sprite) {
    spawn(x, y, Bullet::kSpeed, sprite);
    playCue(SoundCue::InvaderShot);
}

void EnemyBulletList::dropPlain(std::int32_t x, std::int32_t y) {
    spawnPlain(x, y, Bullet::kSpeed);
}
