#pragma once

class Bunker;
class EntityList;
class Fleet;
class Surface;

// The three bunkers, rebuilt whole at the start of every wave. The walking
// operations do nothing on a set that is not built.
class BunkerSet {
public:
    static constexpr int kBunkerCount = 3;

    BunkerSet() = default;
    ~BunkerSet() { destroy(); }
    BunkerSet(const BunkerSet&) = delete;
    BunkerSet& operator=(const BunkerSet&) = delete;

    // Creates the three bunkers, left to right. Returns 1.
    int build();
    // Releases the bunkers and everything they own; nothing when not built.
    void destroy();
    void drawAll(Surface* target);
    // Each block takes the first bullet of the list that overlaps it.
    void shieldAgainst(EntityList* bullets);
    // Blocks that any invader overlaps die; the invaders are unharmed.
    void erodeByFleet(Fleet* fleet);
    void removeDeadBlocks();

    Bunker** bunkers = nullptr;
};
