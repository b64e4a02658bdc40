// The browser program: the game core on SDL, compiled to WebAssembly. The
// page (web/) owns the keyboard and the on-screen buttons and hands keys in
// through the exported functions below; the canvas is the game's
// 800 x 600 window, scaled by the page.

#include <SDL.h>
#include <emscripten.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/BetweenGames.h"
#include "app/EntryPoint.h"
#include "base/ShellPlatform.h"
#include "devices/InputSystem.h"
#include "platform/sdl/results/ResultsScreen.h"
#include "platform/sdl/settings/ScoreBook.h"
#include "platform/sdl/shell/SdlEventLoop.h"
#include "platform/sdl/shell/SdlPlatform.h"
#include "platform/sdl/web/CanvasPresenter.h"
#include "platform/sdl/web/ResultsToPage.h"

// The start tick is read during static initialisation, before main makes
// the platform: this shell only tells the time until main installs the
// platform's.
ShellPlatform& defaultShellPlatform() {
    static const SdlWindowOptions kNone;
    static SdlShell clockOnly(kNone);
    return clockOnly;
}

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

// The ten best of this browser are the program's score book (ScoreBook),
// whose own text the page keeps in the browser's storage (web/page.js) and
// never reads: the program asks for it, ranks the score, and hands back the
// text to keep and the best to show. The text's length first (-1: storage
// cannot be read), then the text itself.
// clang-format off
EM_JS(int, zorbanix_score_book_length, (), {
    const load = Module["loadScoreBook"];
    const text = load ? load() : "";
    Module["zorbanixScoreBookText"] = text == null ? "" : String(text);
    return text == null ? -1 : lengthBytesUTF8(Module["zorbanixScoreBookText"]);
});
EM_JS(void, zorbanix_score_book_text, (char* text, int size), {
    stringToUTF8(Module["zorbanixScoreBookText"], text, size);
});
// True when the page kept the text; `keepAside`: the text kept before is
// first kept aside as it was (it held rows the book could not read).
EM_JS(int, zorbanix_store_score_book, (const char* text, int keepAside), {
    const store = Module["storeScoreBook"];
    return store && store(UTF8ToString(text), keepAside !== 0) ? 1 : 0;
});
EM_JS(void, zorbanix_show_best, (int best), {
    if (Module["showBest"]) Module["showBest"](best);
});
// clang-format on

namespace {

// What the program knows of the ten best: for the page's best label and end
// panel.
struct PageScores {
    long best = 0;
    bool lastNewBest = false;
};
PageScores pageScores;

// The book as the page keeps it; `unreadable` when storage cannot be read,
// `keepAside` when the text held what the book could not read (each such
// row is named on the console).
ScoreBook pageScoreBook(bool* unreadable, bool* keepAside) {
    const int length = zorbanix_score_book_length();
    *unreadable = length < 0;
    std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    if (length > 0) zorbanix_score_book_text(text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    ScoreBook book;
    std::vector<std::string> dropped;
    std::string error;
    *keepAside = !book.read(text, &dropped, &error);
    if (*keepAside) {
        std::fprintf(stderr,
                     "zorbanix: the best scores kept here are not a score table (%s): "
                     "kept them aside and started a new table\n",
                     error.c_str());
    }
    for (const std::string& row : dropped) {
        std::fprintf(stderr,
                     "zorbanix: ignored the best-score row '%s' (not a score the game "
                     "reads) and kept the rest; the table as it was is kept aside\n",
                     row.c_str());
    }
    *keepAside = *keepAside || !dropped.empty();
    return book;
}

// Records a final score in the page's book: the results screen's table and
// what it says of the score.
Results resultsFromPage(long score) {
    Results results;
    results.score = score;
    results.playPrompt = "SPACE / A / TAP: PLAY AGAIN";
    results.leavePrompt = "ESC / BACK / QUIT: LEAVE";
    bool keepAside = false;
    ScoreBook book = pageScoreBook(&results.unreadable, &keepAside);
    const std::vector<ScoreEntry> before = book.rows();
    const bool beats = book.beatsAll(score);
    const int place = book.record(score, todaysDate());
    const bool saved = !results.unreadable && (score > 0 || keepAside) &&
                       zorbanix_store_score_book(book.text().c_str(), keepAside ? 1 : 0) != 0;
    const bool kept = score > 0 && saved;
    results.newBest = kept && beats;
    results.notSaved = score > 0 && !saved;
    for (const ScoreEntry& entry : kept ? book.rows() : before) {
        results.best.push_back({entry.points, entry.date});
    }
    results.markedRow = kept ? place - 1 : -1;
    pageScores.lastNewBest = results.newBest;
    pageScores.best = results.best.empty() ? 0 : results.best.front().points;
    zorbanix_show_best(static_cast<int>(pageScores.best));
    return results;
}

}  // namespace

// For the page's end panel: whether the last game set a new best that was
// kept, and the best score kept.
extern "C" EMSCRIPTEN_KEEPALIVE int zorbanixLastGameNewBest() {
    return pageScores.lastNewBest ? 1 : 0;
}
extern "C" EMSCRIPTEN_KEEPALIVE int zorbanixBestScore() {
    return static_cast<int>(pageScores.best);
}

namespace {

// The label beside the picture shows the best the page's book holds. Rows
// the book cannot read are dropped once, here: the rest is kept now. Where
// memory runs out the label stays as the page had it, and the game plays.
void showKeptBest() noexcept {
    try {
        bool unreadable = false;
        bool keepAside = false;
        const ScoreBook book = pageScoreBook(&unreadable, &keepAside);
        if (keepAside && !unreadable) zorbanix_store_score_book(book.text().c_str(), 1);
        pageScores.best = book.best();
        zorbanix_show_best(static_cast<int>(pageScores.best));
    } catch (...) {
        return;
    }
}

// The end panel's wait: the core's hook and the page's export are plain
// functions, so what they share is kept here, with the canvas to pace it.
struct EndPanelWait {
    bool waiting = false;
    bool playAgainAsked = false;
    FramePresenter* canvas = nullptr;
};
EndPanelWait endPanel;

// The player left: the page shows its end panel, and the program waits for
// its "Play again", a frame at a time, yielding to the browser as the game's
// loops do. The keys the page or a pad hands in meanwhile are taken and
// read, so that none of them reaches the next game.
void waitForPlayAgain(InputSystem* input) {
    endPanel.waiting = true;
    endPanel.playAgainAsked = false;
    // The block is JavaScript, left as written.
    // clang-format off
    EM_ASM({ if (Module["onGameEnded"]) Module["onGameEnded"](0); });
    // clang-format on
    while (!endPanel.playAgainAsked) {
        shellPlatform().deliverSentMessages();
        if (input != nullptr) input->poll();
        if (endPanel.canvas != nullptr) endPanel.canvas->waitForVerticalBlank();
    }
    endPanel.waiting = false;
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
    if (!endPanel.waiting) return 0;
    endPanel.playAgainAsked = true;
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
    SdlPlatform platform(window);

    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    // Gamepads through the browser's Gamepad API, as on Linux.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);

    CanvasPresenter canvas;
    // The cues go to the page's sound (web/sound.js), which the click or key
    // that started the game let start, and which keeps the mute switch and
    // the volume; where it cannot start, the game plays silently.
    platform.sound().enable();
    platform.install(&canvas);
    endPanel.canvas = &canvas;
    setPlayAnotherGame(playAnotherWebGame);
    showKeptBest();

    // No second quit request ends a page: nothing asks the browser build to
    // quit but the page's own Quit, which is Escape.
    const int exitCode = programMain(nullptr, 1);

    platform.sound().disable();
    endPanel.canvas = nullptr;
    platform.uninstall();
    canvas.detach();
    SDL_Quit();
    // The runtime stays (nothing exits a page); the page shows its end state.
    // The block is JavaScript, left as written.
    // clang-format off
    EM_ASM({ if (Module["onGameEnded"]) Module["onGameEnded"]($0); }, exitCode);
    // clang-format on
    return exitCode;
}
