#pragma once

#include <cstddef>
#include <cstdint>

#include "devices/InputSystem.h"
#include "display/DisplayDevice.h"
#include "game/Game.h"
#include "platform/headless/HeadlessDevices.h"
#include "platform/headless/HeadlessShell.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// The game in play on RGB565 software surfaces with the game's own pictures,
// and nothing behind the flip: a frame is the update and every draw into the
// back buffer, and no more. The clock moves only when the rig says so, one
// 60 Hz frame at a time. Space is held, so the ship fires whenever it may.
class PlayRig {
public:
    static constexpr std::int32_t kFrameTime = 16;

    PlayRig();
    ~PlayRig();
    PlayRig(const PlayRig&) = delete;
    PlayRig& operator=(const PlayRig&) = delete;

    // False when the pictures were not found: a frame would then draw
    // almost nothing and measure nothing.
    bool ready() const { return ready_; }

    // A new wave with every invader and block in place and no shot in
    // flight, its get-ready pause run out: the next update is a play frame.
    // Each wave the ship steers the other way.
    void freshWave();
    // One update, one frame time after the last.
    void frame();

    Game& game() { return game_; }
    SoftwareDisplay& display() { return display_; }

    // Bullets in both lists, and how many of them are dead (removed at the
    // start of the next play update).
    int bulletsHeld() const;
    int deadBullets() const;

    // The pixel bytes that the frame's sprites and fills write, counting the
    // whole of each picture: invaders, ship, bullets, bunker blocks, spare
    // ships and score digits (the background is counted apart).
    std::size_t spriteBytesDrawn() const;

private:
    bool ready_ = false;
    bool steerRight_ = true;
    SoftwareDisplay display_;
    HeadlessShell shell_;
    HeadlessDevices devices_;
    DisplayDevice screen_;
    InputSystem input_;
    Game game_;
};
