#pragma once

#include <cstdint>

#include "game/GameState.h"

class DisplayDevice;
class InputSystem;
class PlayerShip;
class Fleet;
class PlayerBulletList;
class EnemyBulletList;
class BunkerSet;
class Bitmap;
class Sprite;

// Runs one game from the first wave to the last: owns the pictures of play
// (the fleet loads its invaders' own; the screens before and after play load
// theirs while they run), the ship, the fleet, both bullet lists and the
// bunkers, and keeps the timers, the spare ships and the score.
class Game {
public:
    static constexpr int kScoreDigitCount = 6;
    static constexpr int kInvaderBulletKinds = 3;

    Game() = default;
    // Releases whatever tearDown has not already released.
    ~Game() { tearDown(); }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void setUp(DisplayDevice* display, InputSystem* input);
    void startWave();
    // One step of the game; called while the state is Playing or above.
    void update();
    void tearDown();

    // The screens before and after play. runIntro runs the title itself.
    void runIntro();
    void runTitle();
    void runGameOver();

    GameState state() const { return state_; }
    std::int32_t spareShips() const { return spareShips_; }
    const std::int32_t* scoreDigits() const { return scoreDigits_; }
    std::int32_t getReadyDeadline() const { return getReadyDeadline_; }
    std::int32_t lastPauseToggle() const { return lastPauseToggle_; }
    PlayerShip* ship() const { return ship_; }
    Fleet* fleet() const { return fleet_; }
    PlayerBulletList* playerBullets() const { return playerBullets_; }
    EnemyBulletList* invaderBullets() const { return invaderBullets_; }
    BunkerSet* bunkers() const { return bunkers_; }

    // The score as the panel shows it (its six digits read as one number).
    std::int32_t score() const;
    // The program went to the background: a wave that is playing or getting
    // ready pauses as if P had been pressed now.
    void pauseInBackground();

    // Points enter at the tens digit; the score wraps to zero past 999,990.
    void addScore(std::int32_t points);

    void handleInput();
    void advance();
    void drawPlayFrame();
    void drawGetReadyFrame();
    void drawPausedFrame();
    void drawFleet();
    void drawScore();
    void drawSpareShips();

private:
    // The play step of a Playing update: removal, frame, fire, collisions.
    void playStep();
    void clearFrame();
    void drawBackground();
    void presentFrame();
    void pause();
    void pollInput();
    bool keyDown(int key) const;

    DisplayDevice* display_ = nullptr;
    InputSystem* input_ = nullptr;
    GameState state_ = Quit;
    PlayerShip* ship_ = nullptr;
    Fleet* fleet_ = nullptr;
    PlayerBulletList* playerBullets_ = nullptr;
    EnemyBulletList* invaderBullets_ = nullptr;
    BunkerSet* bunkers_ = nullptr;
    std::int32_t spareShips_ = 2;
    Bitmap* shipBitmap_ = nullptr;
    Sprite* shipSprite_ = nullptr;
    Bitmap** invaderBulletBitmaps_ = nullptr;
    Sprite** invaderBulletSprites_ = nullptr;
    Bitmap* playerBulletBitmap_ = nullptr;
    Sprite* playerBulletSprite_ = nullptr;
    Bitmap* backgroundBitmap_ = nullptr;
    Sprite* backgroundSprite_ = nullptr;
    Bitmap* digitsBitmap_ = nullptr;
    Sprite* digitsSprite_ = nullptr;
    Bitmap* getReadyBitmap_ = nullptr;
    Sprite* getReadySprite_ = nullptr;
    Bitmap* pausedBitmap_ = nullptr;
    Sprite* pausedSprite_ = nullptr;
    std::int32_t getReadyDeadline_ = 0;
    std::int32_t lastPauseToggle_ = 0;
    // Escape, not Space, ended the title: the first update quits even when
    // the key was let go in the frame between.
    bool titleLeftOnEscape_ = false;
    std::int32_t scoreDigits_[kScoreDigitCount] = {0, 0, 0, 0, 0, 0};
};
