// The score the page shows when a game has ended: the game-over screen shows
// none, so the page's end panel says it.

#include <emscripten.h>

#include "app/Application.h"

// The score of the game running now, or of the last one once it has ended.
extern "C" EMSCRIPTEN_KEEPALIVE int zorbanixFinalScore() {
    return static_cast<int>(application().score());
}
