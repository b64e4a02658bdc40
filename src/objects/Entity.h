#pragma once

#include <cstdint>

class Sprite;
class Surface;

// A box of odd width and height centred on an integer pixel position, with a
// picture it does not own and an alive flag. A fresh entity is all zero, so it
// is dead until its class initialises it.
class Entity {
public:
    Entity() = default;
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    // Stores the box and the picture and brings the entity to life.
    int init(std::int32_t x, std::int32_t y, std::int32_t halfWidth, std::int32_t halfHeight,
             Sprite* sprite);

    // The per-frame step: motion for the classes that move, then drawing.
    virtual int render(Surface* target) = 0;
    // Frame `frame` of the picture with its top-left corner on the box's
    // top-left corner; 0 when there is no picture or no target.
    virtual int draw(int frame, Surface* target);

    // Owners delete through the chains that hold their objects.
    virtual ~Entity() = default;

    // The one collision test of the game: 1 when the two boxes share at least
    // one pixel. Alive flags play no part.
    int overlaps(const Entity* other) const;

    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t halfWidth = 0;
    std::int32_t halfHeight = 0;
    Sprite* sprite = nullptr;
    std::int32_t alive = 0;
};
