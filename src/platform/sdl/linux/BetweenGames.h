#pragma once

#include "app/BetweenGames.h"

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

    // Whether the last game's score has been handed on already (its line is
    // printed once it is recorded, by finish() at the latest), so that the
    // end of the program does not record it twice.
    bool lastGamePrinted() const { return printed_; }

private:
    KeptSettings* kept_;
    bool printed_ = false;
};
