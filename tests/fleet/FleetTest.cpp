#include <gtest/gtest.h>

#include <vector>

#include "fleet/Fleet.h"
#include "fleet/Invader.h"
#include "objects/EntityChain.h"
#include "support/FakeClock.h"

namespace {

class Shot : public Entity {
public:
    Shot(int x, int y) { init(x, y, 1, 5, nullptr); }
    int render(Surface*) override { return 1; }
};

class FleetTest : public ::testing::Test {
protected:
    // With no display the pictures are blank; the fleet plays regardless.
    FleetTest() : fleet(nullptr) {}

    Invader* at(int row, int column) { return fleet.grid->at(row, column); }
    void killColumnsExcept(int survivor) {
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 11; ++column) {
                if (column != survivor) at(row, column)->alive = 0;
            }
        }
        fleet.removeDead();
    }
    // Waits until the next march step is due and takes it.
    void marchOnce() {
        clock->setGameTime(fleet.lastMarch + fleet.marchInterval);
        fleet.march(true);
    }

    ScopedFakeClock clock;
    Fleet fleet;
};

TEST_F(FleetTest, ResetLaysOutTheWaveAfreshByRowAndKind) {
    killColumnsExcept(3);
    for (int i = 0; i < 40; ++i) marchOnce();
    fleet.reset();
    const int kinds[] = {Drippy, Pukey, Pukey, Poopy, Poopy};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 11; ++column) {
            Invader* invader = at(row, column);
            ASSERT_NE(nullptr, invader);
            EXPECT_EQ(128 + 32 * column, invader->x);
            EXPECT_EQ(151 + 32 * row, invader->y);
            EXPECT_EQ(kinds[row], invader->kind);
            EXPECT_EQ(fleet.sprites[kinds[row]], invader->sprite);
        }
    }
    EXPECT_EQ(55, fleet.aliveCount);
    for (int count : fleet.columnCounts) EXPECT_EQ(5, count);
    EXPECT_EQ(Fleet::kRight, fleet.direction);
    EXPECT_EQ(0, fleet.lastMarch);
    EXPECT_FALSE(fleet.invaded);
}

TEST_F(FleetTest, MarchesSixStepsThenDropsThenSweepsSixteenAndLandsOnTheSeventeenthDrop) {
    fleet.removeDead();
    std::vector<int> stepsBeforeDrop;
    int steps = 0;
    while (!fleet.invaded && stepsBeforeDrop.size() < 30) {
        const int y = at(4, 0)->y;
        marchOnce();
        if (at(4, 0)->y == y) {
            ++steps;
        } else {
            EXPECT_EQ(y + 16, at(4, 0)->y);
            stepsBeforeDrop.push_back(steps);
            steps = 0;
        }
        EXPECT_GE(at(0, 0)->x - 12, 32);
        EXPECT_LE(at(0, 10)->x + 12, 509);
    }
    std::vector<int> expected(17, 16);
    expected[0] = 6;
    EXPECT_EQ(expected, stepsBeforeDrop);
    EXPECT_EQ(279 + 17 * 16, at(4, 0)->y);  // top edge 543, past 536
}

TEST_F(FleetTest, MarchWaitsForItsIntervalButNotForDisabledTime) {
    fleet.removeDead();
    clock->setGameTime(999);
    fleet.march(true);
    clock->setGameTime(50000);
    fleet.march(false);  // get-ready or paused
    EXPECT_EQ(128, at(0, 0)->x);
    EXPECT_EQ(0, fleet.lastMarch);
    fleet.march(true);  // the first playing frame steps at once
    EXPECT_EQ(136, at(0, 0)->x);
    EXPECT_EQ(50000, fleet.lastMarch);
}

TEST_F(FleetTest, ALoneColumnSweepsToTheEdgesOfTheField) {
    killColumnsExcept(5);
    int steps = 0;
    while (at(0, 5)->y == 151) {
        marchOnce();
        ++steps;
    }
    // From x 288, 26 steps bring the box's right column to 508; the 27th
    // turns and drops.
    EXPECT_EQ(27, steps);
    EXPECT_EQ(288 + 26 * 8, at(0, 5)->x);
    EXPECT_EQ(Fleet::kLeft, fleet.direction);
}

TEST_F(FleetTest, RemovingTheDeadScoresByRowAndSpeedsUpTheMarch) {
    at(0, 4)->alive = 0;
    at(2, 4)->alive = 0;
    at(4, 9)->alive = 0;
    EXPECT_EQ(3 + 2 + 1, fleet.removeDead());
    EXPECT_EQ(nullptr, at(0, 4));
    EXPECT_EQ(3, fleet.columnCounts[4]);
    EXPECT_EQ(4, fleet.columnCounts[9]);
    EXPECT_EQ(0, fleet.removeDead());

    const int counts[] = {54, 50, 40, 30, 20, 10, 5, 2, 1, 0};
    const int intervals[] = {981, 909, 727, 545, 363, 181, 90, 35, 17, -1};
    fleet.reset();
    for (int i = 0; i < 10; ++i) {
        int toKill = fleet.aliveCount - counts[i];
        for (int cell = 0; cell < 55 && toKill > 0; ++cell) {
            Invader* invader = at(cell / 11, cell % 11);
            if (invader != nullptr && invader->alive != 0) {
                invader->alive = 0;
                --toKill;
            }
        }
        fleet.removeDead();
        EXPECT_EQ(counts[i], fleet.aliveCount);
        EXPECT_EQ(intervals[i], fleet.marchInterval) << "with " << counts[i] << " left";
    }
    clock->setGameTime(7);
    fleet.march(true);  // nothing to move, but the clock restarts
    EXPECT_EQ(7, fleet.lastMarch);
}

TEST_F(FleetTest, EachInvaderTakesTheFirstShotThatOverlapsIt) {
    EntityChain chain;
    Entity* miss = chain.append(new Shot(600, 300))->item;
    Entity* first = chain.append(new Shot(128, 287))->item;   // rows 282..292 on (4, 0)
    Entity* second = chain.append(new Shot(130, 285))->item;  // also on (4, 0)
    Entity* dead = chain.append(new Shot(448, 151))->item;    // on (0, 10)
    dead->alive = 0;
    fleet.collideWithChain(&chain);
    EXPECT_EQ(1, miss->alive);
    EXPECT_EQ(0, first->alive);
    EXPECT_EQ(1, second->alive);
    EXPECT_EQ(0, at(4, 0)->alive);
    EXPECT_EQ(0, at(0, 10)->alive);
    EXPECT_EQ(1, at(3, 0)->alive);
    EXPECT_EQ(55, fleet.aliveCount);  // removal waits for the next update
    EXPECT_EQ(3 + 1, fleet.removeDead());

    Shot below(160, 296);  // top row 291; the bottom invaders end at 287
    EXPECT_FALSE(fleet.overlapsAny(&below));
    below.y = 292;
    EXPECT_TRUE(fleet.overlapsAny(&below));
    EXPECT_EQ(1, below.alive);
    EXPECT_FALSE(fleet.overlapsAny(nullptr));
}

}  // namespace
