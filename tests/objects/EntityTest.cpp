#include <gtest/gtest.h>

#include <vector>

#include "display/Sprite.h"
#include "objects/EntityChain.h"
#include "objects/MovingEntity.h"
#include "support/FakeClock.h"

namespace {

// A plain box that counts its deletions, so the chain's ownership shows.
class Box : public Entity {
public:
    explicit Box(int x = 0, int* deletions = nullptr) : deletions_(deletions) {
        init(x, 0, 1, 1, nullptr);
    }
    ~Box() override {
        if (deletions_ != nullptr) ++*deletions_;
    }
    int render(Surface*) override { return 1; }

private:
    int* deletions_;
};

class MovingEntityTest : public ::testing::Test {
protected:
    // Without a driver the sprite has no surfaces but keeps its frame size,
    // which is all the motion needs: a 3 x 11 frame gives half sizes 1 and 5.
    MovingEntityTest() { bullet.Create(nullptr, 1, 3, 11); }
    int stepYAt(int t) {
        clock->setGameTime(t);
        return mover.stepY();
    }

    ScopedFakeClock clock;
    Sprite bullet;
    MovingEntity mover;
};

TEST(EntityTest, BoxesOverlapOnlyWhenTheyShareAPixelWhateverTheirFlags) {
    Box a(10), b(13);  // columns 9..11 and 12..14
    EXPECT_EQ(0, a.overlaps(&b));
    b.x = 12;  // columns 11..13 share column 11
    b.alive = 0;
    EXPECT_EQ(1, a.overlaps(&b));
    EXPECT_EQ(1, b.overlaps(&a));
    b.y = 3;  // rows 2..4 against -1..1
    EXPECT_EQ(0, a.overlaps(&b));
    EXPECT_EQ(0, a.overlaps(nullptr));
    EXPECT_EQ(0, a.draw(0, nullptr));
}

TEST_F(MovingEntityTest, StepsAreTruncatedWholePixelsAndShortFramesAddUp) {
    mover.init(100, 300, 250, 400, &bullet);
    EXPECT_EQ(1, mover.halfWidth);
    EXPECT_EQ(5, mover.halfHeight);
    EXPECT_EQ(0, stepYAt(2));  // 0.8 px: the clock stays
    EXPECT_EQ(1, stepYAt(3));  // 1.2 px from the same start
    EXPECT_EQ(3, mover.lastStepY);
    EXPECT_EQ(6, stepYAt(19));
    EXPECT_EQ(6, stepYAt(36));  // 6.8 px: the fraction is dropped
    clock->setGameTime(4);
    EXPECT_EQ(1, mover.stepX());
    mover.speedY = -400;
    EXPECT_EQ(-1, stepYAt(39));
    // The factor is the single-precision 0.001, a hair above one thousandth:
    // over a long enough gap that shows as one pixel more than exact.
    mover.speedY = 400;
    EXPECT_EQ(4210755, stepYAt(39 + 10526887));
}

TEST_F(MovingEntityTest, StandingStillKeepsTheClockOnThePresent) {
    mover.init(100, 300, 0, 0, &bullet);
    EXPECT_EQ(0, stepYAt(5000));
    EXPECT_EQ(5000, mover.lastStepY);
    mover.speedY = 400;
    EXPECT_EQ(6, stepYAt(5016));
}

TEST_F(MovingEntityTest, BoundsInWholePixels) {
    mover.init(33, 18, 0, 0, &bullet);
    EXPECT_EQ(0, mover.isOutside(0, 0));
    EXPECT_EQ(1, mover.isOutsideX(-1));  // left column 31
    EXPECT_EQ(1, mover.isOutsideY(-1));  // top row 12
    mover.x = 508;
    mover.y = 569;
    EXPECT_EQ(0, mover.isOutside(0, 0));
    EXPECT_EQ(1, mover.isOutsideX(1));  // right column 510
    EXPECT_EQ(1, mover.isOutsideY(1));  // bottom row 575
    EXPECT_EQ(1, mover.isOutside(0, 1));
}

TEST_F(MovingEntityTest, NeitherAMissingPictureNorAHugeStepBreaksTheTests) {
    EXPECT_EQ(0, mover.init(100, 200, 30000, 0, nullptr));
    EXPECT_EQ(0, mover.halfWidth);
    // Decades of a fast object's step must not wrap back inside the field.
    clock->setGameTime(0x7FFFFFF0);
    const int step = mover.stepX();
    EXPECT_GT(step, 1000000);
    EXPECT_EQ(1, mover.isOutsideX(step));
}

std::vector<int> xsOf(const EntityChain& chain) {
    std::vector<int> xs;
    for (EntityNode* node = chain.first; node != chain.end; node = node->next) {
        xs.push_back(node->item->x);
    }
    return xs;
}

TEST(EntityChainTest, ErasingTheOnlyNodeLeavesAFreshChain) {
    int deletions = 0;
    EntityChain chain;
    chain.erase(chain.append(new Box(1, &deletions)));
    EXPECT_EQ(1, deletions);
    EXPECT_EQ(chain.end, chain.first);
    EXPECT_EQ(nullptr, chain.end->previous);
    EntityNode* node = chain.append(new Box(2, &deletions));
    EXPECT_EQ(node, chain.first);
    EXPECT_EQ(node, chain.end->previous);
    EXPECT_EQ(nullptr, node->previous);
}

TEST(EntityChainTest, ErasingDuringAWalkKeepsTheRestInOrderAndDestroyFreesAll) {
    int deletions = 0;
    {
        EntityChain chain;
        for (int x = 0; x < 5; ++x) chain.append(new Box(x, &deletions));
        for (EntityNode* node = chain.first; node != chain.end;) {
            EntityNode* next = node->next;
            if (node->item->x % 2 == 0) chain.erase(node);  // first, middle and last
            node = next;
        }
        EXPECT_EQ(3, deletions);
        EXPECT_EQ((std::vector<int>{1, 3}), xsOf(chain));
        EXPECT_EQ(chain.first, chain.end->previous->previous);
        EXPECT_EQ(nullptr, chain.first->previous);
        chain.erase(chain.end);  // the end node stays for good
        EXPECT_EQ(2u, xsOf(chain).size());
    }
    EXPECT_EQ(5, deletions);
}

}  // namespace
