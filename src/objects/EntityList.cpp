#include "objects/EntityList.h"

#include "fleet/Fleet.h"
#include "objects/Bullet.h"
#include "objects/EntityChain.h"

EntityList::EntityList() : chain(new EntityChain) {}

EntityList::~EntityList() { delete chain; }

void EntityList::renderAll(Surface* target) {
    for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
        if (node->item != nullptr) {
            node->item->render(target);
        }
    }
}

std::int32_t EntityList::eraseDead() {
    std::int32_t erased = 0;
    EntityNode* node = chain->first;
    while (node != chain->end) {
        EntityNode* next = node->next;
        if (node->item != nullptr && node->item->alive == 0) {
            chain->erase(node);
            ++erased;
        }
        node = next;
    }
    return erased;
}

void EntityList::removeDead() { eraseDead(); }

EntityNode* EntityList::spawn(std::int32_t x, std::int32_t y, std::int32_t speedY, Sprite* sprite) {
    Bullet* bullet = new Bullet;
    bullet->init(x, y, speedY, sprite);
    return chain->append(bullet);
}

EntityNode* EntityList::spawnPlain(std::int32_t x, std::int32_t y, std::int32_t speedY) {
    Bullet* bullet = new Bullet;
    bullet->initPlain(x, y, speedY);
    return chain->append(bullet);
}

void EntityList::collideWith(Entity* entity) {
    if (entity == nullptr) {
        return;
    }
    // Alive flags are not consulted: a bullet that died earlier in this
    // collision step still hits until its list removes it.
    for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
        if (entity->overlaps(node->item) != 0) {
            node->item->alive = 0;
            entity->alive = 0;
            return;
        }
    }
}

void EntityList::collideWithFleet(Fleet* fleet) {
    if (fleet != nullptr) {
        fleet->collideWithChain(chain);
    }
}

void EntityList::setVerticalSpeed(std::int32_t speedY) {
    for (chain->cursor = chain->first; chain->cursor != chain->end;
         chain->cursor = chain->cursor->next) {
        // Only Bullets live in these lists.
        Bullet* bullet = static_cast<Bullet*>(chain->cursor->item);
        if (bullet != nullptr) {
            bullet->speedY = static_cast<std::int16_t>(speedY);
        }
    }
}
