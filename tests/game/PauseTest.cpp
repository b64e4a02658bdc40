#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "GameRig.h"

namespace {

// Starts a wave and runs its get-ready pause out.
void startPlaying(GameRig& rig) {
    rig.game.startWave();
    rig.updateWhile(GetReady, 1000);
    ASSERT_EQ(rig.game.state(), Playing);
}

}  // namespace

TEST(Pause, HeldPTogglesOnlyOnceMoreThanHalfASecondHasPassed) {
    GameRig rig(20);
    startPlaying(rig);
    const std::int32_t from = rig.now();
    rig.platform.press(DIK_P, from);

    std::vector<std::int32_t> toggles;
    GameState before = rig.game.state();
    while (rig.now() < from + 3000) {
        const std::int32_t at = rig.now();
        rig.game.update();
        if (rig.game.state() != before) toggles.push_back(at);
        before = rig.game.state();
    }
    // Frames are 20 ms apart, so exactly 500 ms after a toggle is seen and
    // must not toggle again.
    ASSERT_GE(toggles.size(), 4u);
    EXPECT_EQ(toggles[0], from);
    for (std::size_t i = 1; i < toggles.size(); ++i) EXPECT_EQ(toggles[i] - toggles[i - 1], 520);
}

TEST(Pause, ResumingAPauseTakenWhileGettingReadyGoesStraightToPlay) {
    GameRig rig(20);
    rig.platform.shell().advance(1000);  // pausing needs game time past 500
    rig.game.startWave();
    rig.game.update();
    rig.tap(DIK_P);
    rig.game.update();
    EXPECT_EQ(rig.game.state(), Paused);
    EXPECT_TRUE(rig.isColour(192 + 71, 290 + 10, pictures::kPaused));

    rig.platform.shell().advance(600);
    rig.tap(DIK_P);
    rig.game.update();
    EXPECT_EQ(rig.game.state(), Playing);
    EXPECT_LT(rig.now(), rig.game.getReadyDeadline());
}

TEST(Pause, APausedFrameHoldsEverythingWhereItStoodUntilPAgain) {
    GameRig rig;
    startPlaying(rig);
    rig.tap(DIK_SPACE);
    rig.game.update();  // the player's shot and the fleet's first shot leave
    for (int i = 0; i < 10; ++i) rig.game.update();
    PlayerShip* ship = rig.game.ship();
    Invader* corner = rig.game.fleet()->grid->at(0, 0);
    ASSERT_EQ(GameRig::items(rig.game.playerBullets()).size(), 1u);
    ASSERT_EQ(GameRig::items(rig.game.invaderBullets()).size(), 1u);
    Entity* shot = GameRig::items(rig.game.playerBullets())[0];
    Entity* drop = GameRig::items(rig.game.invaderBullets())[0];

    rig.tap(DIK_P);
    rig.game.update();
    ASSERT_EQ(rig.game.state(), Paused);
    const CapturedFrame pausedAt = rig.shown();
    const int shipX = ship->x, shotY = shot->y, dropY = drop->y, cornerX = corner->x;
    EXPECT_TRUE(rig.isColour(shipX, 558, pictures::kShip));
    EXPECT_TRUE(rig.isColour(shot->x + 1, shotY + 5, pictures::kPlayerBullet));
    EXPECT_TRUE(rig.isColour(corner->x, corner->y, pictures::kDrippy));

    // Steering, firing and the fleet's march interval all pass unheeded.
    rig.platform.press(DIK_RIGHT, rig.now(), rig.now() + 2000);
    rig.platform.press(DIK_SPACE, rig.now(), rig.now() + 2000);
    for (int i = 0; i < 150; ++i) rig.game.update();
    EXPECT_EQ(rig.game.state(), Paused);
    EXPECT_EQ(ship->x, shipX);
    EXPECT_EQ(shot->y, shotY);
    EXPECT_EQ(drop->y, dropY);
    EXPECT_EQ(corner->x, cornerX);
    EXPECT_TRUE(samePixels(pausedAt, rig.shown()));

    rig.platform.devices().clearKeys();
    rig.tap(DIK_P);
    rig.game.update();
    EXPECT_EQ(rig.game.state(), Playing);
    EXPECT_EQ(static_cast<MovingEntity*>(shot)->speedY, -400);
    EXPECT_EQ(static_cast<MovingEntity*>(drop)->speedY, 400);
    // The march that came due while paused happens in the first play frame.
    EXPECT_NE(corner->x, cornerX);
    rig.game.update();
    EXPECT_LT(shot->y, shotY);
    EXPECT_GT(drop->y, dropY);
}
