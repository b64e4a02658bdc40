// The screens around play: the intro splash, the title and the game-over
// screen. Each one loads its own pictures on entry and releases them on
// leaving; only the background is shared with play. They poll the keyboard
// (the game-over screen does not) but leave posted window messages queued
// for play. Once a frame they let the system deliver the messages it sends,
// so that the window can still be activated and restored, and never looks
// hung, while a screen waits.
#include <cstdint>

#include "base/GameClock.h"
#include "base/ShellPlatform.h"
#include "devices/DirectInputApi.h"
#include "devices/InputSystem.h"
#include "display/BackBuffer.h"
#include "display/Bitmap.h"
#include "display/DisplayDevice.h"
#include "display/Sprite.h"
#include "game/Game.h"
#include "game/Pictures.h"

namespace {

constexpr std::int32_t kIntroLength = 3000;
constexpr std::int32_t kPresentsDelay = 2000;
constexpr std::int32_t kGameOverLength = 5000;

// A picture that lives only while its screen runs.
struct ScreenPicture {
    Bitmap* bitmap = nullptr;
    Sprite* sprite = nullptr;
};

ScreenPicture loadScreenPicture(DisplayDevice* display, const char* fileName, int width, int height,
                                bool keyed) {
    ScreenPicture picture;
    picture.bitmap = loadBitmap(fileName);
    picture.sprite = cutSprite(display ? display->driver() : nullptr, picture.bitmap, width, height,
                               0, 0, keyed);
    return picture;
}

void drawScreenPicture(DisplayDevice* display, const ScreenPicture& picture, int x, int y) {
    if (display == nullptr) {
        return;
    }
    picture.sprite->Draw(0, x, y, display->backBuffer());
}

// Game time since `start`, as a signed difference that stays right when
// game time wraps from the top of its range to the bottom.
std::int32_t since(std::int32_t start) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(gameTime()) -
                                     static_cast<std::uint32_t>(start));
}

}  // namespace

void Game::runIntro() {
    ScreenPicture bird = loadScreenPicture(display_, "bird.bmp", 187, 103, false);
    ScreenPicture ostrelwyn = loadScreenPicture(display_, "ostrelwyn.bmp", 332, 48, true);
    ScreenPicture presents = loadScreenPicture(display_, "presents.bmp", 130, 16, true);

    const std::int32_t start = gameTime();
    for (;;) {
        shellPlatform().deliverSentMessages();
        pollInput();
        clearFrame();
        drawBackground();
        drawScreenPicture(display_, bird, 169, 117);
        drawScreenPicture(display_, ostrelwyn, 104, 237);
        if (since(start) > kPresentsDelay) {
            drawScreenPicture(display_, presents, 196, 349);
        }
        presentFrame();
        if (since(start) > kIntroLength || keyDown(DIK_ESCAPE)) {
            break;
        }
    }

    destroySprite(bird.sprite);
    destroySprite(ostrelwyn.sprite);
    destroySprite(presents.sprite);
    destroyBitmap(bird.bitmap);
    destroyBitmap(ostrelwyn.bitmap);
    destroyBitmap(presents.bitmap);

    runTitle();
}

void Game::runTitle() {
    ScreenPicture title = loadScreenPicture(display_, "title.bmp", 370, 48, true);
    ScreenPicture pressSpace = loadScreenPicture(display_, "space.bmp", 165, 26, true);

    for (;;) {
        shellPlatform().deliverSentMessages();
        pollInput();
        clearFrame();
        drawBackground();
        drawScreenPicture(display_, title, 87, 176);
        drawScreenPicture(display_, pressSpace, 192, 271);
        presentFrame();
        if (keyDown(DIK_SPACE)) {
            break;
        }
        if (keyDown(DIK_ESCAPE)) {
            titleLeftOnEscape_ = true;
            break;
        }
    }

    destroySprite(title.sprite);
    destroySprite(pressSpace.sprite);
    destroyBitmap(title.bitmap);
    destroyBitmap(pressSpace.bitmap);
}

void Game::runGameOver() {
    ScreenPicture gameOver = loadScreenPicture(display_, "gameover.bmp", 481, 554, false);

    const std::int32_t start = gameTime();
    do {
        shellPlatform().deliverSentMessages();
        clearFrame();
        drawBackground();
        drawScreenPicture(display_, gameOver, 24, 23);
        presentFrame();
    } while (since(start) < kGameOverLength);

    destroySprite(gameOver.sprite);
    destroyBitmap(gameOver.bitmap);
}
