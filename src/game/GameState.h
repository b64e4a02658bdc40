#pragma once

#include <cstdint>

// The game's state machine. The run loop keeps calling Game::update while the
// state is Playing or above; the values below Playing end a wave or the game.
enum GameState : std::int32_t {
    Quit = 0,
    WaveCleared = 1,
    GameLost = 2,
    Playing = 3,
    GetReady = 4,
    Paused = 5,
};
