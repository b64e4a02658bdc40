#include <gtest/gtest.h>

#include "fleet/Fleet.h"
#include "fleet/Invader.h"
#include "objects/Bunker.h"
#include "objects/BunkerSet.h"
#include "objects/EntityChain.h"
#include "support/FakeClock.h"

namespace {

// Invaders wearing the bunkers away.
class FleetAndObjectsTest : public ::testing::Test {
protected:
    FleetAndObjectsTest() : fleet(nullptr) { bunkers.build(); }

    int liveBlocks(int bunker) {
        int live = 0;
        EntityChain* chain = bunkers.bunkers[bunker]->chain;
        for (EntityNode* node = chain->first; node != chain->end; node = node->next) {
            live += node->item->alive;
        }
        return live;
    }

    ScopedFakeClock clock;
    Fleet fleet;
    BunkerSet bunkers;
};

TEST_F(FleetAndObjectsTest, InvadersEraseEveryBlockTheyTouchAndAreUnharmed) {
    Invader* invader = fleet.grid->at(4, 0);
    invader->y = 455;  // rows 447..463: the top row and the first body row
    bunkers.erodeByFleet(&fleet);
    // Its columns 116..140 reach the blocks centred on columns 121, 130 and
    // 139: two in the top row, whose corner cell is open, and three in the
    // first body row.
    EXPECT_EQ(20 - 5, liveBlocks(0));
    EXPECT_EQ(20, liveBlocks(1));
    EXPECT_EQ(1, invader->alive);
    bunkers.removeDeadBlocks();
    bunkers.erodeByFleet(&fleet);
    EXPECT_EQ(15, liveBlocks(0));
}

TEST_F(FleetAndObjectsTest, ABoxBottomOnTheTopBlockRowErodesOnePixelHigherDoesNot) {
    // The erosion walk is skipped while the whole fleet is above the
    // bunkers; touching is overlapping, so the skip must stop one row before.
    Invader* invader = fleet.grid->at(4, 0);
    invader->y = 441;  // box rows 433..449, the blocks start at row 450
    bunkers.erodeByFleet(&fleet);
    EXPECT_EQ(20, liveBlocks(0));
    invader->y = 442;  // box rows 434..450
    bunkers.erodeByFleet(&fleet);
    EXPECT_EQ(20 - 2, liveBlocks(0));
}

}  // namespace
