// The keyboard step of every update: quit, pause and the ship's own keys.
#include <cstdint>

#include "app/GameClock.h"
#include "devices/DirectInputApi.h"
#include "devices/InputSystem.h"
#include "game/Game.h"
#include "objects/EnemyBulletList.h"
#include "objects/PlayerBulletList.h"
#include "objects/PlayerShip.h"

namespace {

// P held down toggles the pause only once this much time has passed since the
// last toggle, so one press does not flicker between the two states.
constexpr std::int32_t kPauseRepeat = 500;
constexpr std::int32_t kPlayerBulletSpeed = -400;
constexpr std::int32_t kInvaderBulletSpeed = 400;

}  // namespace

void Game::pollInput() {
    if (input_ != nullptr) {
        input_->poll();
    }
}

bool Game::keyDown(int key) const { return input_ != nullptr && input_->isKeyDown(key); }

void Game::handleInput() {
    pollInput();
    if (keyDown(DIK_ESCAPE)) {
        state_ = Quit;
        return;
    }
    // Widened so that the sum cannot overflow near the top of the 32-bit
    // range of game time.
    const std::int64_t toggleAllowedAfter =
        static_cast<std::int64_t>(lastPauseToggle_) + kPauseRepeat;
    if (state_ == Paused) {
        if (keyDown(DIK_P) && gameTime() > toggleAllowedAfter) {
            // Resuming goes straight to play, also when the pause began while
            // getting ready.
            state_ = Playing;
            lastPauseToggle_ = gameTime();
            playerBullets_->setVerticalSpeed(kPlayerBulletSpeed);
            invaderBullets_->setVerticalSpeed(kInvaderBulletSpeed);
        }
        return;
    }
    if (keyDown(DIK_P) && gameTime() > toggleAllowedAfter) {
        state_ = Paused;
        lastPauseToggle_ = gameTime();
        playerBullets_->setVerticalSpeed(0);
        invaderBullets_->setVerticalSpeed(0);
        return;
    }
    if (state_ != GetReady) {
        ship_->handleInput(input_, playerBullets_, playerBulletSprite_);
    }
}
