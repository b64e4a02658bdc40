// Set-up and tear-down of the game's pictures and objects.
#include "display/Bitmap.h"
#include "display/DisplayDevice.h"
#include "display/Sprite.h"
#include "fleet/Fleet.h"
#include "game/Game.h"
#include "game/Pictures.h"
#include "objects/BunkerSet.h"
#include "objects/EnemyBulletList.h"
#include "objects/PlayerBulletList.h"
#include "objects/PlayerShip.h"

namespace {

constexpr int kShipStartX = 206;
constexpr int kShipStartY = 558;

constexpr int kBulletWidth = 3;
constexpr int kBulletHeight = 11;

constexpr int kDigitFrames = 10;
constexpr int kDigitWidth = 15;
constexpr int kDigitHeight = 13;
// From one digit to the next in numbers.bmp.
constexpr int kDigitSourcePitch = 16;

// Indexed by the firing invader's kind.
const char* const kInvaderBulletFiles[Game::kInvaderBulletKinds] = {
    "poopbullet.bmp", "pukebullet.bmp", "dripbullet.bmp"};

}  // namespace

void Game::setUp(DisplayDevice* display, InputSystem* input) {
    display_ = display;
    input_ = input;
    VideoDriver* driver = display_ != nullptr ? display_->driver() : nullptr;

    // Load results are not looked at: a missing picture stays blank and play
    // goes on without it.
    shipBitmap_ = loadBitmap("nanite.bmp");
    shipSprite_ = cutSprite(driver, shipBitmap_, 23, 17, 2, 2, true);

    invaderBulletBitmaps_ = new Bitmap*[kInvaderBulletKinds];
    for (int i = 0; i < kInvaderBulletKinds; ++i) {
        invaderBulletBitmaps_[i] = new Bitmap();
    }
    for (int i = 0; i < kInvaderBulletKinds; ++i) {
        invaderBulletBitmaps_[i]->Load(kInvaderBulletFiles[i]);
    }
    invaderBulletSprites_ = new Sprite*[kInvaderBulletKinds];
    for (int i = 0; i < kInvaderBulletKinds; ++i) {
        invaderBulletSprites_[i] =
            cutSprite(driver, invaderBulletBitmaps_[i], kBulletWidth, kBulletHeight, 0, 0, true);
    }

    playerBulletBitmap_ = loadBitmap("pbullet.bmp");
    playerBulletSprite_ =
        cutSprite(driver, playerBulletBitmap_, kBulletWidth, kBulletHeight, 0, 0, true);

    backgroundBitmap_ = loadBitmap("background.bmp");
    backgroundSprite_ = cutSprite(driver, backgroundBitmap_, 787, 600, 0, 0, true);

    // The digits stand side by side on a 16-pixel pitch with a one-pixel
    // margin, 0 at the left.
    digitsBitmap_ = loadBitmap("numbers.bmp");
    digitsSprite_ = new Sprite();
    digitsSprite_->Create(driver, kDigitFrames, kDigitWidth, kDigitHeight);
    for (int i = 0; i < kDigitFrames; ++i) {
        digitsSprite_->LoadFrame(digitsBitmap_, i, 1 + kDigitSourcePitch * i, 1);
    }
    digitsSprite_->SetColourKey(kTransparentColour);

    getReadyBitmap_ = loadBitmap("getready.bmp");
    getReadySprite_ = cutSprite(driver, getReadyBitmap_, 266, 32, 0, 0, true);

    pausedBitmap_ = loadBitmap("paused.bmp");
    pausedSprite_ = cutSprite(driver, pausedBitmap_, 142, 21, 0, 0, true);

    fleet_ = new Fleet(driver);

    ship_ = new PlayerShip();
    ship_->init(kShipStartX, kShipStartY, shipSprite_);

    playerBullets_ = new PlayerBulletList();
    invaderBullets_ = new EnemyBulletList();
    // Built at the start of every wave.
    bunkers_ = new BunkerSet();
}

void Game::tearDown() {
    delete fleet_;
    fleet_ = nullptr;
    delete ship_;
    ship_ = nullptr;
    delete playerBullets_;
    playerBullets_ = nullptr;
    delete invaderBullets_;
    invaderBullets_ = nullptr;
    if (bunkers_ != nullptr) {
        bunkers_->destroy();
        delete bunkers_;
        bunkers_ = nullptr;
    }

    destroyBitmap(shipBitmap_);
    destroySprite(shipSprite_);
    for (int i = 0; i < kInvaderBulletKinds; ++i) {
        if (invaderBulletBitmaps_ != nullptr) {
            destroyBitmap(invaderBulletBitmaps_[i]);
        }
        if (invaderBulletSprites_ != nullptr) {
            destroySprite(invaderBulletSprites_[i]);
        }
    }
    delete[] invaderBulletBitmaps_;
    invaderBulletBitmaps_ = nullptr;
    delete[] invaderBulletSprites_;
    invaderBulletSprites_ = nullptr;
    destroyBitmap(playerBulletBitmap_);
    destroySprite(playerBulletSprite_);
    destroyBitmap(backgroundBitmap_);
    destroySprite(backgroundSprite_);
    destroyBitmap(digitsBitmap_);
    destroySprite(digitsSprite_);
    destroyBitmap(getReadyBitmap_);
    destroySprite(getReadySprite_);
    destroyBitmap(pausedBitmap_);
    destroySprite(pausedSprite_);
}
