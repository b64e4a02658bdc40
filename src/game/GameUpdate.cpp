// Waves and the per-update step of the game.
#include <cstdint>

#include "base/GameClock.h"
#include "devices/SoundCues.h"
#include "fleet/Fleet.h"
#include "game/Game.h"
#include "objects/BunkerSet.h"
#include "objects/EnemyBulletList.h"
#include "objects/PlayerBulletList.h"
#include "objects/PlayerShip.h"

namespace {

constexpr std::int32_t kGetReadyLength = 3000;

// The end of the get-ready pause. Added on the unsigned tick scale, as game
// time itself is, so that the sum never overflows a signed value.
std::int32_t getReadyEnd() {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(gameTime()) +
                                     static_cast<std::uint32_t>(kGetReadyLength));
}

}  // namespace

void Game::startWave() {
    fleet_->reset();
    bunkers_->destroy();
    bunkers_->build();
    // The ship, the bullets in flight, the spare ships and the score all carry
    // over from the wave before.
    state_ = GetReady;
    getReadyDeadline_ = getReadyEnd();
    playCue(SoundCue::WaveStart);
}

void Game::update() {
    handleInput();
    switch (state_) {
        case Playing:
            playStep();
            break;
        case GetReady:
            // Compared as a difference, so that a deadline past the top of
            // game time's signed range is still ahead of a time below it.
            if (static_cast<std::int32_t>(static_cast<std::uint32_t>(gameTime()) -
                                          static_cast<std::uint32_t>(getReadyDeadline_)) < 0) {
                drawGetReadyFrame();
            } else {
                // No frame in this update; the next one is the first of play.
                state_ = Playing;
            }
            break;
        case Paused:
            drawPausedFrame();
            break;
        default:
            break;
    }
}

void Game::advance() {
    // Whatever was hit in the last update goes now, before this update's frame.
    playerBullets_->removeDead();
    const std::int32_t points = fleet_->removeDead();
    addScore(points);
    // Every invader is worth a point or more: points mean a hit was scored.
    if (points > 0) playCue(SoundCue::InvaderHit);
    invaderBullets_->removeDead();
    bunkers_->removeDeadBlocks();
    if (ship_->alive == 0) {
        playCue(SoundCue::ShipLost);
        if (spareShips_ == 0) {
            state_ = GameLost;
        } else {
            // The next ship takes over where the last one was lost.
            spareShips_ -= 1;
            ship_->alive = 1;
            state_ = GetReady;
            getReadyDeadline_ = getReadyEnd();
        }
    }
}

void Game::playStep() {
    advance();
    // Drawn even when advance has just changed the state.
    drawPlayFrame();
    fleet_->fire(invaderBullets_, invaderBulletSprites_);
    playerBullets_->collideWithFleet(fleet_);
    bunkers_->shieldAgainst(invaderBullets_);
    bunkers_->shieldAgainst(playerBullets_);
    bunkers_->erodeByFleet(fleet_);
    invaderBullets_->collideWith(ship_);
    // A cleared fleet wins over everything else decided in this update.
    if (fleet_->invaded) {
        state_ = GameLost;
    }
    if (fleet_->aliveCount == 0) {
        state_ = WaveCleared;
    }
    if (state_ == GameLost) playCue(SoundCue::GameOver);
}
