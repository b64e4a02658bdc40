#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/Game.h"

namespace {

std::string shown(const Game& game) {
    std::string text;
    for (int k = 0; k < Game::kScoreDigitCount; ++k) {
        text += static_cast<char>('0' + game.scoreDigits()[k]);
    }
    return text;
}

// Brings a fresh game's score to the given value, one single point at a time
// where that is cheap, so the carries used to get there are the ones under
// test too.
void addPoints(Game& game, std::int32_t points) {
    while (points > 0) {
        const std::int32_t step = points > 10 ? 10 : points;
        game.addScore(step);
        points -= step;
    }
}

bool allDigitsDrawable(const Game& game) {
    for (int k = 0; k < Game::kScoreDigitCount; ++k) {
        if (game.scoreDigits()[k] < 0 || game.scoreDigits()[k] > 9) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(Score, PointsEnterAtTheTensDigitAndCarry) {
    Game game;
    EXPECT_EQ(shown(game), "000000");
    game.addScore(3);
    EXPECT_EQ(shown(game), "000030");
    game.addScore(0);
    EXPECT_EQ(shown(game), "000030");
    game.addScore(6);
    EXPECT_EQ(shown(game), "000090");
    game.addScore(3);
    EXPECT_EQ(shown(game), "000120");
}

TEST(Score, CarriesThroughSeveralDigits) {
    Game game;
    addPoints(game, 999);
    EXPECT_EQ(shown(game), "009990");
    game.addScore(1);
    EXPECT_EQ(shown(game), "010000");
}

TEST(Score, WrapsToZeroPastTheTopAndCountsOn) {
    Game game;
    addPoints(game, 99999);
    EXPECT_EQ(shown(game), "999990");
    game.addScore(1);
    EXPECT_EQ(shown(game), "000000");
    game.addScore(2);
    EXPECT_EQ(shown(game), "000020");
}

TEST(Score, LargeOrNegativeAmountsKeepEveryDigitDrawable) {
    Game game;
    game.addScore(3);
    game.addScore(-5);
    EXPECT_EQ(shown(game), "000030");

    game.addScore(47);  // 3 + 47 = 50 points
    EXPECT_EQ(shown(game), "000500");
    EXPECT_TRUE(allDigitsDrawable(game));

    game.addScore(12345);  // 50 + 12345 = 12395 points
    EXPECT_EQ(shown(game), "123950");

    game.addScore(INT32_MAX);
    EXPECT_TRUE(allDigitsDrawable(game));
}
