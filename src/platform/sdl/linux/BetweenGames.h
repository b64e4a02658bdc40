#pragma once

#include "app/BetweenGames.h"

class KeptSettings;

// The Linux program between two games: the game's line printed and its score
// recorded, then the results screen, which asks whether another game
// follows. A game ended by a quit request (the window closed, SIGINT,
// SIGTERM) shows no results: the program ends as it always has. So does a
// game that was never played (ended on the title), which prints no line.
bool playAnotherLinuxGame(const FinishedGame& finished);
// Sets up the games after the first: their scores are recorded with `kept`
// (main's, for the run) and the results screen asks whether another game
// follows. Null: one run plays one game.
void playLinuxGamesWith(KeptSettings* kept);

// Whether the last game's score has been handed on already (its line is
// printed once it is recorded, by finish() at the latest), so that the end
// of the program does not record it twice.
bool lastGamePrinted();
