// The keyboard step of every update: quit, pause and the ship's own keys.
#include <cstdint>

#include "base/GameClock.h"
#include "devices/DirectInputApi.h"
#include "devices/InputSystem.h"
#include "devices/SoundCues.h"
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
    const bool quitFromTitle = titleLeftOnEscape_;
    titleLeftOnEscape_ = false;
    if (quitFromTitle || keyDown(DIK_ESCAPE)) {
        state_ = Quit;
        return;
    }
    // The time since the last toggle, as an unsigned difference of game
    // time: the guard then holds across every wrap of game time, and a
    // toggle that never happened (0) or lies more than 2^31 ms back counts
    // as long past.
    const std::uint32_t sinceToggle =
        static_cast<std::uint32_t>(gameTime()) - static_cast<std::uint32_t>(lastPauseToggle_);
    const bool toggleAllowed = sinceToggle > static_cast<std::uint32_t>(kPauseRepeat);
    if (state_ == Paused) {
        if (keyDown(DIK_P) && toggleAllowed) {
            // Resuming goes straight to play, also when the pause began while
            // getting ready.
            state_ = Playing;
            lastPauseToggle_ = gameTime();
            playerBullets_->setVerticalSpeed(kPlayerBulletSpeed);
            invaderBullets_->setVerticalSpeed(kInvaderBulletSpeed);
        }
        return;
    }
    if (keyDown(DIK_P) && toggleAllowed) {
        pause();
        return;
    }
    if (state_ != GetReady) {
        ship_->handleInput(input_, playerBullets_, playerBulletSprite_);
    }
}

void Game::pause() {
    state_ = Paused;
    lastPauseToggle_ = gameTime();
    playerBullets_->setVerticalSpeed(0);
    invaderBullets_->setVerticalSpeed(0);
    playCue(SoundCue::Pause);
}

void Game::pauseInBackground() {
    // Not held back by the toggle's 500 ms: that guards against a held P,
    // and a player who just resumed and then switched away is away all the
    // same.
    if (state_ == Playing || state_ == GetReady) pause();
}
