#pragma once

#include <cstdint>

class Entity;
class EntityChain;
struct EntityNode;
class Fleet;
class Sprite;
class Surface;

// Owns a chain of Bullets and runs the per-frame walks over them.
class EntityList {
public:
    EntityList();
    EntityList(const EntityList&) = delete;
    EntityList& operator=(const EntityList&) = delete;

    // Moves and draws every bullet, dead or alive.
    virtual void renderAll(Surface* target);
    // Deletes the bullets whose alive flag is clear.
    virtual void removeDead();
    virtual EntityNode* spawn(std::int32_t x, std::int32_t y, std::int32_t speedY, Sprite* sprite);
    virtual EntityNode* spawnPlain(std::int32_t x, std::int32_t y, std::int32_t speedY);
    // The first bullet in list order that overlaps the entity dies with it.
    virtual void collideWith(Entity* entity);
    // Each invader takes the first bullet that overlaps it.
    virtual void collideWithFleet(Fleet* fleet);
    virtual void setVerticalSpeed(std::int32_t speedY);

    // Deletes the chain with every bullet in it.
    virtual ~EntityList();

    EntityChain* chain;

protected:
    // Erases the dead bullets; returns how many went.
    std::int32_t eraseDead();
};
