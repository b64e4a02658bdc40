#pragma once

#include <memory>

#include "app/BetweenGames.h"
#include "platform/sdl/results/ResultsScreen.h"

class KeptSettings;

// The Linux program between two games, for one run: each game's score handed
// to `kept` (main's), which records it and prints the game's line, then the
// results screen, which asks whether another game follows. A game ended by a
// quit request (the window closed, SIGINT, SIGTERM) shows no results: the
// program ends as it always has. So does a game that was never played (ended
// on the title), which prints no line. Made, it is the core's hook; gone,
// one run plays one game again.
class LinuxBetweenGames {
public:
    explicit LinuxBetweenGames(KeptSettings* kept);
    ~LinuxBetweenGames();
    LinuxBetweenGames(const LinuxBetweenGames&) = delete;
    LinuxBetweenGames& operator=(const LinuxBetweenGames&) = delete;

    // The core's hook, for whoever stands in front of it (the replays).
    bool playAnother(const FinishedGame& finished);
    // The same, telling what the player chose; with `watchable` the results
    // offer to watch the game again (R).
    ResultsChoice afterGame(const FinishedGame& finished, bool watchable);
    // The last game's results shown again, as they stand (after watching
    // the game again): its score is not recorded twice.
    ResultsChoice resultsAgain(const FinishedGame& finished);

    // Whether the last game's score has been handed on already (its line is
    // printed once it is recorded, by finish() at the latest), so that the
    // end of the program does not record it twice.
    bool lastGamePrinted() const { return printed_; }

private:
    KeptSettings* kept_;
    bool printed_ = false;
    // What the last results screen showed, and its score on its way into
    // the best scores.
    struct Recording;
    std::shared_ptr<Recording> recording_;
    Results results_;
};
