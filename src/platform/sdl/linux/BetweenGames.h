#pragma once

#include "app/BetweenGames.h"

class KeptSettings;

// The Linux program between two games: the game's line printed and its score
// recorded, then the results screen, which asks whether another game
// follows. A game ended by a quit request (the window closed, SIGINT,
// SIGTERM) shows no results: the program ends as it always has.
bool playAnotherLinuxGame(const FinishedGame& finished);
// The settings owner the games' scores are recorded with; main's, for the run.
void playLinuxGamesWith(KeptSettings* kept);

// Whether the last game's score has been handed on already (its line is
// printed once it is recorded, by finish() at the latest), so that the end
// of the program does not record it twice.
bool lastGamePrinted();
