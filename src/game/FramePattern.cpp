// Every frame, on a screen or in play, starts from a black back buffer and
// ends with the flip that shows it at the next vertical blank.
#include "display/BackBuffer.h"
#include "display/DisplayDevice.h"
#include "display/PrimarySurface.h"
#include "display/Sprite.h"
#include "game/Game.h"

namespace {

constexpr int kBackgroundLeft = 7;
constexpr int kBackgroundTop = 0;

}  // namespace

void Game::clearFrame() {
    if (display_ == nullptr || display_->backBuffer() == nullptr) {
        return;
    }
    display_->backBuffer()->Fill(nullptr, 0);
}

void Game::drawBackground() {
    if (backgroundSprite_ == nullptr || display_ == nullptr) {
        return;
    }
    backgroundSprite_->Draw(0, kBackgroundLeft, kBackgroundTop, display_->backBuffer());
}

void Game::presentFrame() {
    if (display_ == nullptr || display_->primary() == nullptr) {
        return;
    }
    display_->primary()->Flip(display_->driver());
}
