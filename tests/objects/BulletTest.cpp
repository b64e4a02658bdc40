#include <gtest/gtest.h>

#include <vector>

#include "display/Sprite.h"
#include "objects/Bullet.h"
#include "objects/EnemyBulletList.h"
#include "objects/EntityChain.h"
#include "objects/PlayerBulletList.h"
#include "support/FakeClock.h"

namespace {

class Target : public Entity {
public:
    int render(Surface*) override { return 1; }
};

std::vector<Bullet*> bulletsOf(EntityList& list) {
    std::vector<Bullet*> found;
    for (EntityNode* node = list.chain->first; node != list.chain->end; node = node->next) {
        found.push_back(static_cast<Bullet*>(node->item));
    }
    return found;
}

class BulletTest : public ::testing::Test {
protected:
    BulletTest() { sprite.Create(nullptr, 1, 3, 11); }
    void frame(int ms) {
        clock->advance(ms);
        player.renderAll(nullptr);
        enemy.renderAll(nullptr);
    }

    ScopedFakeClock clock;
    Sprite sprite;
    PlayerBulletList player;
    EnemyBulletList enemy;
};

TEST_F(BulletTest, BulletsDieInPlaceWhereAStepWouldLeaveTheField) {
    player.fire(200, 533, &sprite);
    enemy.drop(200, 569, &sprite);
    enemy.drop(509, 300, &sprite);  // right column 510: dies at its first move
    Bullet* up = bulletsOf(player)[0];
    frame(16);
    EXPECT_EQ(527, up->y);
    up->y = 19;
    frame(3);  // to row 18: top row 13, still inside
    EXPECT_EQ(18, up->y);
    EXPECT_EQ(1, up->alive);
    frame(3);  // top row would be 12
    EXPECT_EQ(18, up->y);
    EXPECT_EQ(0, up->alive);
    for (Bullet* down : bulletsOf(enemy)) EXPECT_EQ(0, down->alive);
    EXPECT_EQ(569, bulletsOf(enemy)[0]->y);

    enemy.removeDead();
    player.removeDead();
    EXPECT_TRUE(bulletsOf(enemy).empty());
    EXPECT_EQ(0, player.count);
}

TEST_F(BulletTest, CollideWithKillsOnlyTheFirstOverlappingBulletDeadOrAlive) {
    Target target;
    target.init(300, 300, 4, 4, nullptr);
    enemy.collideWith(&target);
    EXPECT_EQ(1, target.alive);

    enemy.drop(100, 100, &sprite);
    enemy.drop(300, 296, &sprite);
    enemy.drop(301, 300, &sprite);
    std::vector<Bullet*> bullets = bulletsOf(enemy);
    bullets[1]->alive = 0;  // not yet removed: it still hits
    enemy.collideWith(&target);
    EXPECT_EQ(0, target.alive);
    EXPECT_EQ(1, bullets[0]->alive);
    EXPECT_EQ(1, bullets[2]->alive);
    // A dead target is still hit, by the next bullet that overlaps it.
    bullets[1]->y = 100;
    enemy.collideWith(&target);
    EXPECT_EQ(0, bullets[2]->alive);
}

TEST_F(BulletTest, PausedBulletsResumeWithoutAJump) {
    player.setVerticalSpeed(0);  // empty: nothing to do
    player.fire(200, 400, &sprite);
    enemy.drop(200, 100, &sprite);
    enemy.drop(250, 100, &sprite);
    player.setVerticalSpeed(0);
    enemy.setVerticalSpeed(0);
    for (int i = 0; i < 100; ++i) frame(30);
    player.setVerticalSpeed(-400);
    enemy.setVerticalSpeed(400);
    frame(16);
    EXPECT_EQ(394, bulletsOf(player)[0]->y);
    for (Bullet* bullet : bulletsOf(enemy)) EXPECT_EQ(106, bullet->y);
}

}  // namespace
