#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "display/Sprite.h"
#include "display/Surface.h"
#include "display/VideoDriver.h"
#include "objects/Bullet.h"
#include "objects/PlayerShip.h"
#include "support/FakeClock.h"
#include "support/MockDisplay.h"

namespace {

using namespace ::testing;

auto RectAt(int left, int top, int width, int height) {
    return Pointee(AllOf(Field(&DdRect::left, left), Field(&DdRect::top, top),
                         Field(&DdRect::right, left + width),
                         Field(&DdRect::bottom, top + height)));
}

// Where pictures land on the back buffer, seen as the blits it receives.
class DrawingTest : public ::testing::Test {
protected:
    DrawingTest() : scoped(&platform) {
        ON_CALL(platform, DirectDrawCreate(_, _)).WillByDefault(HandOut<1>(&directDraw, DD_OK));
        ON_CALL(directDraw, CreateSurface(_, _)).WillByDefault(HandOut<1>(&frameSurface, DD_OK));
        driver.Create(nullptr);
        *target.platformSurfaceSlot() = &backBuffer;
    }
    ~DrawingTest() override { *target.platformSurfaceSlot() = nullptr; }

    ScopedFakeClock clock;
    NiceMock<MockDisplayPlatform> platform;
    NiceMock<MockDirectDraw> directDraw;
    NiceMock<MockDdSurface> frameSurface, backBuffer;
    ScopedDisplayPlatform scoped;
    VideoDriver driver;
    Surface target;
};

TEST_F(DrawingTest, ShipsAreDrawnOnTheirBoxButBulletsHangFromTheirCentre) {
    Sprite shipSprite, bulletSprite;
    shipSprite.Create(&driver, 1, 23, 17);
    bulletSprite.Create(&driver, 1, 3, 11);
    PlayerShip ship;
    ship.init(206, 558, &shipSprite);
    Bullet bullet;
    bullet.init(300, 400, 0, &bulletSprite);

    EXPECT_CALL(backBuffer, Blt(RectAt(195, 550, 23, 17), &frameSurface, _, _, _))
        .WillOnce(Return(DD_OK));
    EXPECT_CALL(backBuffer, Blt(RectAt(300, 400, 3, 11), &frameSurface, _, _, _))
        .WillOnce(Return(DD_OK));
    EXPECT_EQ(1, ship.render(&target));
    EXPECT_EQ(1, bullet.render(&target));
}

}  // namespace
