#include "objects/PlayerBulletList.h"

#include "devices/SoundCues.h"
#include "objects/Bullet.h"

void PlayerBulletList::removeDead() { count -= eraseDead(); }

void PlayerBulletList::fire(std::int32_t x, std::int32_t y, Sprite* sprite) {
    // Dead bullets still count until the removal pass takes them out.
    if (count + 1 > limit) {
        return;
    }
    spawn(x, y, -Bullet::kSpeed, sprite);
    ++count;
    playCue(SoundCue::Shot);
}
