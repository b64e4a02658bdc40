#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "display/Sprite.h"
#include "objects/Bunker.h"
#include "objects/BunkerSet.h"
#include "objects/EnemyBulletList.h"
#include "objects/EntityChain.h"
#include "support/FakeClock.h"

namespace {

using Centre = std::pair<int, int>;

std::vector<Entity*> blocksOf(const Bunker* bunker) {
    std::vector<Entity*> found;
    for (EntityNode* node = bunker->chain->first; node != bunker->chain->end; node = node->next) {
        found.push_back(node->item);
    }
    return found;
}

int liveBlocks(const BunkerSet& set) {
    int live = 0;
    for (int i = 0; i < BunkerSet::kBunkerCount; ++i) {
        for (Entity* block : blocksOf(set.bunkers[i])) live += block->alive;
    }
    return live;
}

TEST(BunkerTest, TwentyBlocksInTheirBuildOrder) {
    Bunker bunker(117, 450);
    std::vector<Centre> centres;
    for (Entity* block : blocksOf(&bunker)) {
        centres.emplace_back(block->x, block->y);
        EXPECT_EQ(4, block->halfWidth);
        EXPECT_EQ(4, block->halfHeight);
    }
    const std::vector<Centre> expected = {
        {130, 454}, {139, 454}, {148, 454},  // top row
        {121, 463}, {121, 472}, {121, 481},  // body, column by column
        {130, 463}, {130, 472}, {130, 481},  //
        {139, 463}, {139, 472}, {139, 481},  //
        {148, 463}, {148, 472}, {148, 481},  //
        {157, 463}, {157, 472}, {157, 481},  //
        {121, 490}, {157, 490}};             // feet
    EXPECT_EQ(expected, centres);
}

TEST(BunkerTest, TheSetIsRebuiltWholeAtItsThreePlaces) {
    BunkerSet set;
    set.destroy();  // never built: nothing to do
    set.build();
    const int lefts[] = {117, 248, 379};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lefts[i] + 13, blocksOf(set.bunkers[i])[0]->x);
    for (Entity* block : blocksOf(set.bunkers[1])) block->alive = 0;
    set.removeDeadBlocks();
    EXPECT_TRUE(blocksOf(set.bunkers[1]).empty());
    EXPECT_EQ(40, liveBlocks(set));
    set.destroy();
    EXPECT_EQ(nullptr, set.bunkers);
    set.build();
    EXPECT_EQ(60, liveBlocks(set));
}

TEST(BunkerTest, OneBulletStraddlingCellsTakesSixBlocksAndASecondFliesOn) {
    ScopedFakeClock clock;
    Sprite sprite;
    sprite.Create(nullptr, 1, 3, 11);
    BunkerSet set;
    set.build();
    // Columns 124..126 and rows 467..477 of bunker 0: two columns of cells
    // (centres 121 and 130) and three rows (centres 463, 472 and 481).
    EnemyBulletList bullets;
    bullets.drop(125, 472, &sprite);
    bullets.drop(157, 499, &sprite);  // on the right foot only
    bullets.drop(156, 499, &sprite);  // the same foot, later in the list
    set.shieldAgainst(&bullets);

    std::set<Centre> destroyed;
    for (Entity* block : blocksOf(set.bunkers[0])) {
        if (block->alive == 0) destroyed.insert({block->x, block->y});
    }
    const std::set<Centre> expected = {{121, 463}, {121, 472}, {121, 481}, {130, 463},
                                       {130, 472}, {130, 481}, {157, 490}};
    EXPECT_EQ(expected, destroyed);
    EntityNode* node = bullets.chain->first;
    EXPECT_EQ(0, node->item->alive);
    EXPECT_EQ(0, node->next->item->alive);
    EXPECT_EQ(1, node->next->next->item->alive);
    set.removeDeadBlocks();
    EXPECT_EQ(13u, blocksOf(set.bunkers[0]).size());
}

}  // namespace
