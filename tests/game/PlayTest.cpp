#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "GameRig.h"

namespace {

void startPlaying(GameRig& rig) {
    rig.game.startWave();
    rig.updateWhile(GetReady, 1000);
    ASSERT_EQ(rig.game.state(), Playing);
}

// Where an invader will be after `steps` more march steps, turning at the
// edges as the whole fleet does.
int predictX(const Fleet& fleet, const Invader& target, int steps) {
    int left = 1000, right = -1000;
    for (int r = 0; r < FleetGrid::kRows; ++r) {
        for (int c = 0; c < FleetGrid::kColumns; ++c) {
            if (const Invader* i = fleet.grid->at(r, c)) {
                left = std::min(left, i->x);
                right = std::max(right, i->x);
            }
        }
    }
    int offset = 0;
    int heading = fleet.direction == Fleet::kRight ? 8 : -8;
    for (int s = 0; s < steps; ++s) {
        offset += heading;
        if (left + offset - 12 < 32 || right + offset + 12 >= 510) {
            offset -= heading;
            heading = -heading;
        }
    }
    return target.x + offset;
}

// A player that steers under the lowest invader, leading it by the march,
// and fires when lined up.
void playOneUpdate(GameRig& rig, std::int32_t frameTime) {
    const Fleet& fleet = *rig.game.fleet();
    const PlayerShip& ship = *rig.game.ship();
    const Invader* target = nullptr;
    for (int r = 0; r < FleetGrid::kRows; ++r) {
        for (int c = 0; c < FleetGrid::kColumns; ++c) {
            const Invader* i = fleet.grid->at(r, c);
            if (i == nullptr || i->alive == 0) continue;
            if (target == nullptr || i->y > target->y ||
                (i->y == target->y && std::abs(i->x - ship.x) < std::abs(target->x - ship.x))) {
                target = i;
            }
        }
    }
    if (target == nullptr) return;
    const int flight = ((520 - target->y) / 6 + 1) * frameTime;
    const int interval =
        ((std::max(fleet.marchInterval, 1) + frameTime - 1) / frameTime) * frameTime;
    const int due = fleet.lastMarch + interval - rig.now();
    const int steps = due > flight ? 0 : 1 + (flight - std::max(due, 0)) / interval;
    const int aim = std::min(std::max(predictX(fleet, *target, steps), 75), 467);
    if (std::abs(ship.x - aim) <= 3) {
        rig.tap(DIK_SPACE);
    } else {
        rig.tap(ship.x > aim ? DIK_LEFT : DIK_RIGHT);
    }
}

}  // namespace

TEST(Play, GetReadyEndsAtItsDeadlineWithAnUpdateThatDrawsNothing) {
    GameRig rig(20);  // an update falls exactly on the deadline
    rig.game.startWave();
    EXPECT_EQ(rig.game.getReadyDeadline(), rig.now() + 3000);
    for (;;) {
        const std::size_t framesBefore = rig.frames();
        const std::int32_t at = rig.now();
        rig.game.update();
        if (rig.game.state() == Playing) {
            EXPECT_EQ(at, rig.game.getReadyDeadline());
            EXPECT_EQ(rig.frames(), framesBefore);
            break;
        }
        ASSERT_LT(at, rig.game.getReadyDeadline());
        ASSERT_EQ(rig.frames(), framesBefore + 1);
    }
    rig.game.update();
    EXPECT_TRUE(rig.isColour(206, 558, pictures::kShip));
    EXPECT_FALSE(rig.isColour(141 + 133, 300 + 16, pictures::kGetReady));
}

TEST(Play, AHitIsRemovedAndScoredOneUpdateLater) {
    GameRig rig;
    startPlaying(rig);
    rig.tap(DIK_SPACE);
    rig.game.update();
    ASSERT_EQ(GameRig::items(rig.game.playerBullets()).size(), 1u);
    EXPECT_EQ(GameRig::items(rig.game.playerBullets())[0]->x, 206);

    // The fleet's first step brings column 2 (x 200) over the ship.
    const Invader* above = rig.game.fleet()->grid->at(4, 2);
    ASSERT_NE(above, nullptr);
    int updates = 0;
    while (above->alive != 0 && updates++ < 200) {
        rig.disarmFleet();
        rig.game.update();
    }
    ASSERT_EQ(above->alive, 0);
    EXPECT_EQ(rig.game.fleet()->grid->at(4, 2), above);
    EXPECT_EQ(rig.scoreShown(), "000000");

    rig.game.update();
    EXPECT_EQ(rig.game.fleet()->grid->at(4, 2), nullptr);
    EXPECT_EQ(rig.game.fleet()->aliveCount, 54);
    EXPECT_EQ(rig.scoreShown(), "000010");
    EXPECT_FALSE(rig.isColour(above->x, 279, pictures::kPoopy));
}

TEST(Play, ClearingAWaveStartsTheNextWithScoreAndShipsKept) {
    GameRig rig;
    startPlaying(rig);
    int updates = 0;
    while (rig.game.state() == Playing && updates++ < 20000) {
        playOneUpdate(rig, 16);
        rig.game.update();
        rig.disarmFleet();
    }
    ASSERT_EQ(rig.game.state(), WaveCleared);
    EXPECT_EQ(rig.scoreShown(), "000990");
    EXPECT_EQ(rig.invadersLeft(), 0);

    rig.game.startWave();
    EXPECT_EQ(rig.game.state(), GetReady);
    rig.game.update();
    EXPECT_EQ(rig.invadersLeft(), 55);
    EXPECT_EQ(rig.game.fleet()->aliveCount, 55);
    EXPECT_EQ(rig.bunkerPixelsShown(), 3 * 20 * 81);
    EXPECT_EQ(rig.scoreShown(), "000990");
    EXPECT_EQ(rig.game.spareShips(), 2);
    EXPECT_EQ(rig.spareIconsShown(), 2);
}

TEST(Play, ThreeLostShipsEndTheGame) {
    GameRig rig;
    startPlaying(rig);
    const GameState after[] = {GetReady, GetReady, GameLost};
    for (int loss = 0; loss < 3; ++loss) {
        SCOPED_TRACE(loss);
        PlayerShip* ship = rig.game.ship();
        const int shipX = ship->x;
        rig.game.invaderBullets()->drop(ship->x, ship->y, rig.game.fleet()->sprites[Poopy]);
        rig.game.update();
        EXPECT_EQ(ship->alive, 0);
        EXPECT_EQ(rig.game.state(), Playing);

        rig.game.update();
        EXPECT_EQ(rig.game.state(), after[loss]);
        EXPECT_EQ(rig.game.spareShips(), loss < 2 ? 1 - loss : 0);
        EXPECT_EQ(rig.spareIconsShown(), loss < 2 ? 1 - loss : 0);
        if (rig.game.state() == GetReady) {
            EXPECT_EQ(rig.game.getReadyDeadline(), rig.now() - 16 + 3000);
            rig.game.update();
            EXPECT_FALSE(rig.isColour(shipX, 558, pictures::kShip));
            rig.updateWhile(GetReady, 1000);
            rig.game.update();
            EXPECT_EQ(ship->x, shipX);
            EXPECT_TRUE(rig.isColour(shipX, 558, pictures::kShip));
        }
    }
}

TEST(Play, AClearedFleetWinsOverALostShipInTheSameUpdate) {
    GameRig rig;
    startPlaying(rig);
    for (int r = 0; r < FleetGrid::kRows; ++r) {
        for (int c = 0; c < FleetGrid::kColumns; ++c) rig.game.fleet()->grid->at(r, c)->alive = 0;
    }
    rig.game.ship()->alive = 0;
    rig.game.update();
    EXPECT_EQ(rig.game.state(), WaveCleared);
    EXPECT_EQ(rig.game.spareShips(), 1);
    EXPECT_EQ(rig.scoreShown(), "000990");
}

TEST(Play, AFleetLeftAloneComesDownAndEndsTheGame) {
    GameRig rig(100);
    startPlaying(rig);
    int updates = 0;
    while (rig.game.state() == Playing && updates++ < 10000) {
        rig.game.update();
        rig.disarmFleet();
    }
    EXPECT_EQ(rig.game.state(), GameLost);
    EXPECT_TRUE(rig.game.fleet()->invaded);
    EXPECT_EQ(rig.game.spareShips(), 2);
    EXPECT_EQ(rig.game.fleet()->aliveCount, 55);
}
