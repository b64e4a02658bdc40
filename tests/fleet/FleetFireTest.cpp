#include <gtest/gtest.h>

#include <vector>

#include "display/Sprite.h"
#include "fleet/Fleet.h"
#include "fleet/Invader.h"
#include "objects/EnemyBulletList.h"
#include "objects/EntityChain.h"
#include "objects/MovingEntity.h"
#include "support/FakeClock.h"

namespace {

class FleetFireTest : public ::testing::Test {
protected:
    FleetFireTest() : fleet(nullptr) {
        for (int kind = 0; kind < 3; ++kind) {
            bulletSprites[kind] = &sprites[kind];
            sprites[kind].Create(nullptr, 1, 3, 11);
        }
    }

    Invader* at(int row, int column) { return fleet.grid->at(row, column); }

    std::vector<Entity*> shots() {
        std::vector<Entity*> found;
        for (EntityNode* node = bullets.chain->first; node != bullets.chain->end;
             node = node->next) {
            found.push_back(node->item);
        }
        return found;
    }

    // Leaves only the invaders for which keep(row, column) holds.
    template <typename Keep>
    void keepOnly(Keep keep) {
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 11; ++column) {
                if (!keep(row, column)) at(row, column)->alive = 0;
            }
        }
        fleet.removeDead();
    }

    // Fires once, one attempt due, and returns the new shot.
    Entity* fireOnce() {
        const size_t before = shots().size();
        clock->setGameTime(fleet.lastFire + 1001);
        fleet.fire(&bullets, bulletSprites);
        return shots().size() > before ? shots().back() : nullptr;
    }

    ScopedFakeClock clock;
    Fleet fleet;
    EnemyBulletList bullets;
    Sprite sprites[3];
    Sprite* bulletSprites[3];
};

TEST_F(FleetFireTest, AttemptsComeMoreThanASecondApart) {
    clock->setGameTime(1000);
    fleet.fire(&bullets, bulletSprites);
    EXPECT_TRUE(shots().empty());
    EXPECT_EQ(0, fleet.lastFire);

    clock->setGameTime(1001);
    fleet.fire(&bullets, bulletSprites);
    fleet.fire(&bullets, bulletSprites);
    EXPECT_EQ(1u, shots().size());
    EXPECT_EQ(1001, fleet.lastFire);

    clock->setGameTime(2001);
    fleet.fire(&bullets, bulletSprites);
    EXPECT_EQ(1u, shots().size());
    clock->setGameTime(2002);
    fleet.fire(&bullets, bulletSprites);
    EXPECT_EQ(2u, shots().size());
}

TEST_F(FleetFireTest, EachKindShootsItsOwnBulletFromTheFrontOfItsColumn) {
    Entity* shot = fireOnce();  // every column full: from the bottom row
    ASSERT_NE(nullptr, shot);
    EXPECT_EQ(279 + 18, shot->y);
    EXPECT_EQ(&sprites[Poopy], shot->sprite);
    EXPECT_EQ(400, static_cast<MovingEntity*>(shot)->speedY);

    // Column 2 down to its Drippy, column 6 down to a Pukey at row 1, column
    // 8 a Pukey at row 2 with the Drippy above it.
    keepOnly([](int row, int column) {
        return (column == 2 && row == 0) || (column == 6 && row <= 1) ||
               (column == 8 && row != 1 && row <= 2);
    });
    bool seen[11] = {};
    for (int i = 0; i < 60; ++i) {
        shot = fireOnce();
        ASSERT_NE(nullptr, shot);
        const int column = (shot->x - 128) / 32;
        seen[column] = true;
        if (column == 2) {
            EXPECT_EQ(151 + 18, shot->y);
            EXPECT_EQ(&sprites[Drippy], shot->sprite);
        } else if (column == 6) {
            EXPECT_EQ(183 + 18, shot->y);
            EXPECT_EQ(&sprites[Pukey], shot->sprite);
        } else {
            ASSERT_EQ(8, column);
            EXPECT_EQ(215 + 18, shot->y);
            EXPECT_EQ(&sprites[Pukey], shot->sprite);
        }
    }
    EXPECT_TRUE(seen[2] && seen[6] && seen[8]);
}

TEST_F(FleetFireTest, WithOneInvaderLeftEveryShotIsItsAndWithNoneTheClockStillMoves) {
    keepOnly([](int row, int column) { return row == 4 && column == 4; });
    for (int i = 0; i < 10; ++i) {
        Entity* shot = fireOnce();
        ASSERT_NE(nullptr, shot);
        EXPECT_EQ(256, shot->x);
        EXPECT_EQ(297, shot->y);
    }
    at(4, 4)->alive = 0;
    fleet.removeDead();
    EXPECT_EQ(nullptr, fireOnce());
    EXPECT_EQ(gameTime(), fleet.lastFire);
}

TEST_F(FleetFireTest, CountersOutOfStepWithTheGridCannotHangOrCrashTheFire) {
    // Empty the grid behind the counters' back: they still claim 55.
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 11; ++column) {
            if (row == 1 && column == 7) continue;
            delete fleet.grid->cells[row][column];
            fleet.grid->cells[row][column] = nullptr;
        }
    }
    // Only the invader really there can fire.
    for (int i = 0; i < 5; ++i) {
        Entity* shot = fireOnce();
        ASSERT_NE(nullptr, shot);
        EXPECT_EQ(352, shot->x);
        EXPECT_EQ(201, shot->y);
    }
    // Counts say no column has invaders while the total says some remain.
    for (int& count : fleet.columnCounts) count = 0;
    EXPECT_EQ(nullptr, fireOnce());
    EXPECT_EQ(55, fleet.aliveCount);
}

}  // namespace
