#include "platform/sdl/linux/BetweenGames.h"

#include <cstdio>

#include "platform/sdl/linux/KeptSettings.h"
#include "platform/sdl/results/ResultsScreen.h"
#include "platform/sdl/shell/SdlShell.h"

namespace {

bool printed = false;
KeptSettings* keptSettings = nullptr;

Results resultsOf(long score, const ScoreOutcome& outcome) {
    Results results;
    results.score = score;
    results.newBest = outcome.newBest && outcome.saved;
    results.notSaved = score > 0 && !outcome.saved;
    for (const ScoreEntry& entry : outcome.table) {
        results.best.push_back({entry.points, entry.date});
    }
    results.markedRow = outcome.place - 1;
    return results;
}

}  // namespace

bool playAnotherLinuxGame(const FinishedGame& finished) {
    // A game ended on the title ends the program as it does on Windows.
    if (!finished.played) return false;
    if (keptSettings == nullptr || sdlShellPlatform().keys().quitRequests() > 0) return false;

    const long score = finished.score;
    ScoreOutcome outcome;
    std::printf("%s\n", keptSettings->recordFinalScore(score, &outcome).c_str());
    std::fflush(stdout);
    printed = true;

    if (runResultsScreen(finished.display, finished.input, resultsOf(score, outcome)) ==
        ResultsChoice::Leave) {
        return false;
    }
    printed = false;
    return true;
}

bool lastGamePrinted() { return printed; }

void playLinuxGamesWith(KeptSettings* kept) { keptSettings = kept; }
