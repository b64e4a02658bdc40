#include <gtest/gtest.h>

#include "devices/DirectInputApi.h"
#include "display/Sprite.h"
#include "objects/EntityChain.h"
#include "objects/PlayerBulletList.h"
#include "objects/PlayerShip.h"
#include "objects/ScriptedKeyboard.h"
#include "support/FakeClock.h"

namespace {

class PlayerShipTest : public ::testing::Test {
protected:
    PlayerShipTest() {
        shipSprite.Create(nullptr, 1, 23, 17);
        bulletSprite.Create(nullptr, 1, 3, 11);
        ship.init(206, 558, &shipSprite);
    }
    void input(std::initializer_list<int> keys) {
        keyboard.hold(keys);
        ship.handleInput(&keyboard.input, &bullets, &bulletSprite);
    }
    void frames(int count, int ms) {
        for (int i = 0; i < count; ++i) {
            clock->advance(ms);
            ship.render(nullptr);
        }
    }

    ScopedFakeClock clock;
    ScriptedKeyboard keyboard;
    Sprite shipSprite, bulletSprite;
    PlayerShip ship;
    PlayerBulletList bullets;
};

TEST_F(PlayerShipTest, LeftWinsAndTheShipStopsOneStepShortOfTheBound) {
    input({DIK_LEFT, DIK_RIGHT});
    frames(1, 16);
    EXPECT_EQ(202, ship.x);
    frames(100, 16);
    EXPECT_EQ(78, ship.x);  // the next step would put the centre at 74
    EXPECT_EQ(558, ship.y);

    input({});
    frames(1, 5000);
    EXPECT_EQ(78, ship.x);
    ship.x = 467;
    input({DIK_RIGHT});
    frames(3, 16);
    EXPECT_EQ(467, ship.x);
}

TEST_F(PlayerShipTest, AStepOverALongGapIsRefusedWholeAndItsTimeLost) {
    ship.speedX = 250;
    frames(1, 3000);  // 750 px: no position in range can take it
    EXPECT_EQ(206, ship.x);
    frames(1, 16);
    EXPECT_EQ(210, ship.x);
}

TEST_F(PlayerShipTest, SpaceFiresFromTheShipsColumnOnceTheLastShotIsRemoved) {
    ship.x = 100;
    input({DIK_SPACE});
    ASSERT_EQ(1, bullets.count);
    Entity* shot = bullets.chain->first->item;
    EXPECT_EQ(100, shot->x);
    EXPECT_EQ(533, shot->y);
    EXPECT_EQ(&bulletSprite, shot->sprite);

    shot->alive = 0;  // dead but not yet removed: still counted
    input({DIK_SPACE});
    EXPECT_EQ(shot, bullets.chain->end->previous->item);
    bullets.removeDead();
    EXPECT_EQ(0, bullets.count);
    input({DIK_SPACE});
    EXPECT_EQ(1, bullets.count);
    EXPECT_NE(bullets.chain->end, bullets.chain->first);

    ship.handleInput(nullptr, &bullets, &bulletSprite);  // no keyboard: no key
    EXPECT_EQ(0, ship.speedX);
}

}  // namespace
