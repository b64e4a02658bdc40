// The three frames drawn while a wave runs. Drawing a game object also moves
// it, so only the play frame lets the fleet march and the ship move.
#include "display/BackBuffer.h"
#include "display/DisplayDevice.h"
#include "display/Sprite.h"
#include "fleet/Fleet.h"
#include "fleet/FleetGrid.h"
#include "fleet/Invader.h"
#include "game/Game.h"
#include "objects/BunkerSet.h"
#include "objects/EnemyBulletList.h"
#include "objects/PlayerBulletList.h"
#include "objects/PlayerShip.h"

namespace {

constexpr int kGetReadyLeft = 141;
constexpr int kGetReadyTop = 300;
constexpr int kPausedLeft = 192;
constexpr int kPausedTop = 290;

}  // namespace

void Game::drawPlayFrame() {
    Surface* target = display_->backBuffer();
    clearFrame();
    drawBackground();
    fleet_->march(true);
    drawFleet();
    ship_->render(target);
    playerBullets_->renderAll(target);
    invaderBullets_->renderAll(target);
    bunkers_->drawAll(target);
    drawSpareShips();
    drawScore();
    presentFrame();
}

void Game::drawGetReadyFrame() {
    Surface* target = display_->backBuffer();
    clearFrame();
    drawBackground();
    fleet_->march(false);
    drawFleet();
    // The ship is neither moved nor shown while getting ready; bullets already
    // in flight keep going.
    playerBullets_->renderAll(target);
    invaderBullets_->renderAll(target);
    bunkers_->drawAll(target);
    drawSpareShips();
    getReadySprite_->Draw(0, kGetReadyLeft, kGetReadyTop, target);
    drawScore();
    presentFrame();
}

void Game::drawPausedFrame() {
    Surface* target = display_->backBuffer();
    clearFrame();
    drawBackground();
    fleet_->march(false);
    drawFleet();
    // The bullets' speeds are 0 while paused, so they are drawn where they
    // stand.
    playerBullets_->renderAll(target);
    invaderBullets_->renderAll(target);
    bunkers_->drawAll(target);
    // Holding the speed at 0 keeps the ship's step clock on the current time,
    // so it does not jump when play resumes.
    ship_->speedX = 0;
    ship_->render(target);
    drawSpareShips();
    pausedSprite_->Draw(0, kPausedLeft, kPausedTop, target);
    drawScore();
    presentFrame();
}

void Game::drawFleet() {
    const FleetGrid* grid = fleet_->grid;
    if (grid == nullptr) {
        return;
    }
    Surface* target = display_->backBuffer();
    for (int row = 0; row < grid->rows; ++row) {
        for (int column = 0; column < grid->columns; ++column) {
            Invader* invader = grid->at(row, column);
            if (invader != nullptr) {
                invader->render(target);
            }
        }
    }
}
