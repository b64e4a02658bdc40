#include "platform/sdl/linux/BetweenGames.h"

#include <memory>
#include <mutex>

#include "platform/sdl/linux/KeptSettings.h"
#include "platform/sdl/results/ResultsScreen.h"
#include "platform/sdl/shell/SdlShell.h"

namespace {

// What the results screen says of a score: before it is recorded, the table
// as known, with no claim; once recorded, the table as kept.
void tell(Results* results, const ScoreOutcome& outcome, bool recorded) {
    results->newBest = recorded && outcome.newBest && outcome.saved;
    results->notSaved = recorded && results->score > 0 && !outcome.saved;
    results->unreadable = outcome.unreadable;
    results->best.clear();
    for (const ScoreEntry& entry : outcome.table) {
        results->best.push_back({entry.points, entry.date});
    }
    results->markedRow = recorded ? outcome.place - 1 : -1;
}

}  // namespace

// A final score on its way into the best scores, as the writer records it.
struct LinuxBetweenGames::Recording {
    std::mutex mutex;
    bool done = false;
    ScoreOutcome outcome;
};

LinuxBetweenGames::LinuxBetweenGames(KeptSettings* kept) : kept_(kept) {
    setPlayAnotherGame([this](const FinishedGame& finished) { return playAnother(finished); });
}

LinuxBetweenGames::~LinuxBetweenGames() { setPlayAnotherGame(nullptr); }

bool LinuxBetweenGames::playAnother(const FinishedGame& finished) {
    return afterGame(finished, false) == ResultsChoice::PlayAgain;
}

ResultsChoice LinuxBetweenGames::afterGame(const FinishedGame& finished, bool watchable) {
    // A game ended on the title ends the program as it does on Windows.
    if (!finished.played) return ResultsChoice::Leave;
    if (kept_ == nullptr || sdlQuitRequested()) return ResultsChoice::Leave;

    // The score is recorded away from the game, which prints its line; the
    // results show what is known meanwhile.
    auto recording = std::make_shared<Recording>();
    kept_->recordFinalScoreAway(finished.score, [recording](const ScoreOutcome& outcome) {
        const std::lock_guard<std::mutex> hold(recording->mutex);
        recording->outcome = outcome;
        recording->done = true;
    });
    printed_ = true;

    Results results;
    results.score = finished.score;
    tell(&results, kept_->knownScores(), false);
    auto told = std::make_shared<bool>(false);
    results.update = [recording, told](Results* shown) {
        if (*told) return false;
        const std::lock_guard<std::mutex> hold(recording->mutex);
        if (!recording->done) return false;
        tell(shown, recording->outcome, true);
        *told = true;
        return true;
    };
    if (watchable) results.watchPrompt = "R: WATCH AGAIN";
    recording_ = recording;
    results_ = results;
    return resultsAgain(finished);
}

ResultsChoice LinuxBetweenGames::resultsAgain(const FinishedGame& finished) {
    if (!recording_ || sdlQuitRequested()) return ResultsChoice::Leave;
    {
        // Known by now, perhaps, on a screen shown before.
        const std::lock_guard<std::mutex> hold(recording_->mutex);
        if (recording_->done) tell(&results_, recording_->outcome, true);
    }
    const ResultsChoice choice = runResultsScreen(finished.display, finished.input, results_);
    if (choice == ResultsChoice::PlayAgain) printed_ = false;
    return choice;
}
