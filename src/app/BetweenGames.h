#pragma once

#include <cstdint>
#include <functional>

class DisplayDevice;
class InputSystem;

// A game that ended from inside (a lost game, Escape) and has shown its
// game-over screen, as the program's platform sees it between two games.
struct FinishedGame {
    std::int32_t score;
    // Some update left the game in play: its get-ready was shown. A game
    // ended on the title (Escape, a quit request) quits at its first update,
    // was never played and has no score to speak of.
    bool played;
    // The devices the next game will use, for a screen of the platform's own.
    DisplayDevice* display;
    InputSystem* input;
};

// Asked once after each such game whether another one follows: true starts a
// fresh game at once at its get-ready, with no intro and no title. A game
// ended by WM_QUIT never asks. With none set (the default, and always on
// Windows) one run plays one game. The platform's hook may hold what it
// keeps between games (the scores it records, the screen it shows).
using PlayAnotherGame = std::function<bool(const FinishedGame& finished)>;
void setPlayAnotherGame(PlayAnotherGame ask);
