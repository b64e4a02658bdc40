// The status panel at the right of the play field: the six score digits and
// the spare-ship icons.
#include <cstdint>

#include "display/BackBuffer.h"
#include "display/DisplayDevice.h"
#include "display/Sprite.h"
#include "game/Game.h"

namespace {

constexpr int kDigitsLeft = 673;
constexpr int kDigitsTop = 90;
// From one digit of the score to the next on the screen.
constexpr int kScoreDigitPitch = 16;
constexpr int kTensDigit = 4;

constexpr int kSpareShipsLeft = 668;
constexpr int kSpareShipsTop = 339;
constexpr int kSpareShipPitch = 26;

}  // namespace

void Game::addScore(std::int32_t points) {
    // The fleet never hands back a negative sum; ignoring one keeps every
    // digit a drawable 0 to 9.
    if (points <= 0) {
        return;
    }
    // Carry digit by digit towards the most significant one. Any amount is
    // carried whole, so no digit is ever left above 9.
    std::int64_t carry = points;
    for (int k = kTensDigit; k >= 0; --k) {
        std::int64_t digit = scoreDigits_[k] + carry;
        if (digit <= 9) {
            scoreDigits_[k] = static_cast<std::int32_t>(digit);
            return;
        }
        scoreDigits_[k] = static_cast<std::int32_t>(digit % 10);
        carry = digit / 10;
    }
    // Past 999,990 the counter starts again from nothing.
    for (std::int32_t& digit : scoreDigits_) {
        digit = 0;
    }
}

void Game::drawScore() {
    if (digitsSprite_ == nullptr || display_ == nullptr) {
        return;
    }
    for (int k = 0; k < kScoreDigitCount; ++k) {
        digitsSprite_->Draw(scoreDigits_[k], kDigitsLeft + kScoreDigitPitch * k, kDigitsTop,
                            display_->backBuffer());
    }
}

void Game::drawSpareShips() {
    if (shipSprite_ == nullptr || display_ == nullptr) {
        return;
    }
    for (int i = 0; i < spareShips_; ++i) {
        shipSprite_->Draw(0, kSpareShipsLeft + kSpareShipPitch * i, kSpareShipsTop,
                          display_->backBuffer());
    }
}

std::int32_t Game::score() const {
    std::int32_t value = 0;
    for (std::int32_t digit : scoreDigits_) value = value * 10 + digit;
    return value;
}
