#pragma once

#include <cstdint>

#include "objects/Entity.h"

// One 9 x 9 green square of a bunker. It has no picture.
class BunkerBlock : public Entity {
public:
    static constexpr std::int32_t kHalfSize = 4;
    static constexpr std::uint32_t kColour = 0x00FF00;

    // Fills the box with green on the target, dead or alive. Returns 1.
    int render(Surface* target) override;
};
