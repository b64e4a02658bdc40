// The browser program: the game core on SDL, compiled to WebAssembly. The
// page (web/) owns the keyboard and the on-screen buttons and hands keys in
// through the exported functions below; the canvas is the game's
// 800 x 600 window, scaled by the page.

#include <SDL.h>
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Application.h"
#include "app/BetweenGames.h"
#include "app/EntryPoint.h"
#include "base/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "devices/InputSystem.h"
#include "display/DisplayPlatform.h"
#include "platform/sdl/audio/SdlSoundOutput.h"
#include "platform/sdl/display/SdlDisplayPlatform.h"
#include "platform/sdl/display/SdlWindowOptions.h"
#include "platform/sdl/input/SdlDevicePlatform.h"
#include "platform/sdl/results/ResultsScreen.h"
#include "platform/sdl/shell/SdlEventLoop.h"
#include "platform/sdl/shell/SdlShell.h"
#include "platform/sdl/web/CanvasPresenter.h"
#include "platform/sdl/web/ResultsToPage.h"

// The start tick is read during static initialisation, before main.
ShellPlatform& defaultShellPlatform() { return sdlShellPlatform(); }

// A key of the page, by SDL scancode (the key's position, from the DOM's
// KeyboardEvent.code), pressed or let go. The page calls this for its own
// key events while the canvas has the focus and for the touch buttons. The
// key goes into SDL's queue, which the shell empties at the next frame.
extern "C" EMSCRIPTEN_KEEPALIVE void zorbanixPageKey(int scancode, int down) {
    sendPageKey(static_cast<SDL_Scancode>(scancode), down != 0);
}

// Lets go of every key the page holds: the page lost the focus or was hidden,
// and will hear of no more key releases.
extern "C" EMSCRIPTEN_KEEPALIVE void zorbanixReleasePageKeys() { sendPageKeysReleased(); }

// The score of the game running now, or of the last one once it has ended:
// the game-over screen shows none, so the page's end panel says it.
extern "C" EMSCRIPTEN_KEEPALIVE int zorbanixFinalScore() {
    return static_cast<int>(application().score());
}

// The page keeps the ten best of this browser (web/page.js): it records a
// final score and answers with its table as lines of text: "new best",
// "kept", "unsaved" or "none" (no points) first, then this game's place (0
// when it is not in the table),
// then "<points> <YYYY-MM-DD>" for each row, best first. An empty answer:
// the page keeps nothing.
// clang-format off
EM_JS(void, zorbanix_page_keep_score, (int score, char* answer, int size), {
    const keep = Module["keepScore"];
    stringToUTF8(keep ? String(keep(score)) : "", answer, size);
});
// clang-format on

namespace {

Results resultsFromPage(long score) {
    Results results;
    results.score = score;
    results.playPrompt = "SPACE / A / TAP: PLAY AGAIN";
    results.leavePrompt = "ESC / BACK / QUIT: LEAVE";
    static char answer[1024];
    answer[0] = '\0';
    zorbanix_page_keep_score(static_cast<int>(score), answer, sizeof answer);
    char* line = std::strtok(answer, "\n");
    const bool newBest = line != nullptr && std::strcmp(line, "new best") == 0;
    const bool kept = newBest || (line != nullptr && std::strcmp(line, "kept") == 0);
    results.notSaved = score > 0 && !kept;
    line = std::strtok(nullptr, "\n");
    const int place = line != nullptr ? std::atoi(line) : 0;
    while ((line = std::strtok(nullptr, "\n")) != nullptr && results.best.size() < 10) {
        long points = 0;
        char date[16] = "";
        if (std::sscanf(line, "%ld %15s", &points, date) >= 1) {
            results.best.push_back({points, date});
        }
    }
    results.newBest = newBest;
    if (place >= 1 && place <= static_cast<int>(results.best.size())) {
        results.markedRow = place - 1;
    }
    return results;
}

bool waitingForPage = false;
bool playAgainAsked = false;

// The player left: the page shows its end panel, and the program waits for
// its "Play again", a frame at a time, yielding to the browser as the game's
// loops do. The keys the page or a pad hands in meanwhile are taken and
// read, so that none of them reaches the next game.
void waitForPlayAgain(InputSystem* input) {
    waitingForPage = true;
    playAgainAsked = false;
    // The block is JavaScript, left as written.
    // clang-format off
    EM_ASM({ if (Module["onGameEnded"]) Module["onGameEnded"](0); });
    // clang-format on
    while (!playAgainAsked) {
        shellPlatform().deliverSentMessages();
        if (input != nullptr) input->poll();
        if (FramePresenter* canvas = sdlSoftwareDisplay().presenter()) {
            canvas->waitForVerticalBlank();
        }
    }
    waitingForPage = false;
}

// Between two games: the page records the score, the canvas shows the
// results, and Space (a tap on the picture, a pad's A) plays again. Leaving
// them, or a game ended on the title, shows the page's end panel, whose
// "Play again" starts the next game at its get-ready too.
bool playAnotherWebGame(const FinishedGame& finished) {
    if (finished.played) {
        const Results results = resultsFromPage(finished.score);
        announceResults(results);
        if (runResultsScreen(finished.display, finished.input, results) ==
            ResultsChoice::PlayAgain) {
            return true;
        }
    }
    waitForPlayAgain(finished.input);
    return true;
}

}  // namespace

// The end panel's "Play again": 1 when the program waits for it, and the
// next game starts at its get-ready; 0 when the run has ended, and the page
// starts a new one.
extern "C" EMSCRIPTEN_KEEPALIVE int zorbanixPlayAgain() {
    if (!waitingForPage) return 0;
    playAgainAsked = true;
    return 1;
}

int main(int, char**) {
    // SDL's own key listeners would act on every key of the whole page
    // (stopping F5 or Tab too). They go on an empty element of the page that
    // never has the focus, so they hear nothing; the page feeds the keys.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#sdl-keys");
    // The canvas is exactly one 800 x 600 picture; the page scales it, so
    // SDL must not size the canvas after the page's layout (which clears it).
    SdlWindowOptions window;
    window.fullScreen = false;
    window.scale = 1;
    window.resizable = false;
    setSdlWindowOptions(window);

    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    // Gamepads through the browser's Gamepad API, as on Linux.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);

    static CanvasPresenter canvas;
    // The cues go to the page's sound (web/sound.js), which the click or key
    // that started the game let start, and which keeps the mute switch and
    // the volume; where it cannot start, the game plays silently.
    sdlSoundOutput().enable();
    installSdlPresenter(&canvas);
    installDisplayPlatform(&sdlDisplayPlatform());
    installDevicePlatform(&sdlDevicePlatform());
    installShellPlatform(&sdlShellPlatform());
    setPlayAnotherGame(playAnotherWebGame);

    // No second quit request ends a page: nothing asks the browser build to
    // quit but the page's own Quit, which is Escape.
    const int exitCode = programMain(nullptr, 1);

    sdlShellPlatform().closeGamepads();
    installSdlPresenter(nullptr);
    canvas.detach();
    SDL_Quit();
    // The runtime stays (nothing exits a page); the page shows its end state.
    // The block is JavaScript, left as written.
    // clang-format off
    EM_ASM({ if (Module["onGameEnded"]) Module["onGameEnded"]($0); }, exitCode);
    // clang-format on
    return exitCode;
}
