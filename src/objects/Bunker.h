#pragma once

#include <cstdint>

class EntityChain;

// One bunker: 20 blocks in a 5 x 5 grid of 9-pixel cells with the two top
// corners and the middle of the bottom row left open.
class Bunker {
public:
    static constexpr std::int32_t kBlockCount = 20;

    // Builds the blocks for the bunker whose top-left corner is (left, top).
    Bunker(std::int32_t left, std::int32_t top);
    // Deletes the chain with every block in it.
    ~Bunker();
    Bunker(const Bunker&) = delete;
    Bunker& operator=(const Bunker&) = delete;

    EntityChain* chain;
};
