#pragma once

// A Game set up on the headless platform with our own test pictures: the
// display and the keyboard are real core objects on the software display and
// the scripted keyboard, the clock moves only at each flip.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "devices/DirectInputApi.h"
#include "devices/InputSystem.h"
#include "display/DisplayDevice.h"
#include "fleet/Fleet.h"
#include "fleet/FleetGrid.h"
#include "fleet/Invader.h"
#include "game/Game.h"
#include "objects/EnemyBulletList.h"
#include "objects/EntityChain.h"
#include "objects/PlayerBulletList.h"
#include "objects/PlayerShip.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TestPictures.h"

inline HeadlessOptions rigOptions(std::int32_t frameTime) {
    HeadlessOptions options;
    options.frameTime = frameTime;
    // Tests look at the last frame as they go; keeping every frame's pixels
    // would cost a megabyte per frame.
    options.keepPixels = [](const CapturedFrame&) { return false; };
    return options;
}

class GameRig {
public:
    explicit GameRig(std::int32_t frameTime = 16) : GameRig(rigOptions(frameTime)) {}
    explicit GameRig(HeadlessOptions options) : platform(std::move(options)) {
        window_ = platform.shell().createMainWindow("Zorbanix", nullptr);
        display.Create(window_, 800, 600, 16);
        input.init(window_, nullptr, false);
        game.setUp(&display, &input);
    }
    ~GameRig() { game.tearDown(); }
    GameRig(const GameRig&) = delete;
    GameRig& operator=(const GameRig&) = delete;

    std::int32_t now() const { return platform.gameTime(); }
    std::size_t frames() const { return platform.frames().size(); }
    const CapturedFrame& shown() const { return *platform.lastFrame(); }
    // Holds the key for the next update only.
    void tap(int code) { platform.press(code, now(), now() + 1); }

    // Updates while the state stays `state`, at most `limit` times; returns
    // how many updates ran.
    int updateWhile(GameState state, int limit) {
        int count = 0;
        while (game.state() == state && count < limit) {
            game.update();
            ++count;
        }
        return count;
    }

    // What the panel shows: six digits read back from the digit colours.
    std::string scoreShown() const {
        std::string text;
        for (int k = 0; k < 6; ++k) {
            const std::uint16_t raw = shown().raw(673 + 16 * k + 7, 96);
            char digit = '?';
            for (int d = 0; d < 10; ++d) {
                if (raw == shown().rawOf(pictures::digitColour(d)))
                    digit = static_cast<char>('0' + d);
            }
            text += digit;
        }
        return text;
    }
    int spareIconsShown() const {
        int icons = 0;
        for (int i = 0; i < 4; ++i) {
            if (isColour(668 + 26 * i + 11, 339 + 8, pictures::kShip)) ++icons;
        }
        return icons;
    }
    bool isColour(int x, int y, std::uint32_t rgb) const {
        return shown().raw(x, y) == shown().rawOf(rgb);
    }
    int countColour(int left, int top, int width, int height, std::uint32_t rgb) const {
        int count = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                if (isColour(x, y, rgb)) ++count;
            }
        }
        return count;
    }
    // The bunkers' pixels: 3 bunkers of 20 blocks of 9 x 9.
    int bunkerPixelsShown() const {
        return countColour(117, 450, 45, 45, pictures::kBunker) +
               countColour(248, 450, 45, 45, pictures::kBunker) +
               countColour(379, 450, 45, 45, pictures::kBunker);
    }
    static std::vector<Entity*> items(EntityList* list) {
        std::vector<Entity*> found;
        for (EntityNode* n = list->chain->first; n != list->chain->end; n = n->next) {
            found.push_back(n->item);
        }
        return found;
    }
    // Invader shots are taken out of play as soon as they are made, for tests
    // about something else than the ship's survival.
    void disarmFleet() {
        for (Entity* bullet : items(game.invaderBullets())) bullet->alive = 0;
    }
    int invadersLeft() const {
        int count = 0;
        for (int r = 0; r < FleetGrid::kRows; ++r) {
            for (int c = 0; c < FleetGrid::kColumns; ++c) {
                if (game.fleet()->grid->at(r, c) != nullptr) ++count;
            }
        }
        return count;
    }

    ScopedTestPictures pictureFolder;
    HeadlessPlatform platform;
    DisplayDevice display;
    InputSystem input;
    Game game;

private:
    WindowHandle window_ = nullptr;
};
