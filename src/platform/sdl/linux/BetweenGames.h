#pragma once

#include "app/BetweenGames.h"

class KeptSettings;

// The Linux program between two games: the game's line printed and its score
// recorded, then the results screen, which asks whether another game
// follows. A game ended by a quit request (the window closed, SIGINT,
// SIGTERM) shows no results: the program ends as it always has. So does a
// game that was never played (ended on the title), which prints no line.
bool playAnotherLinuxGame(const FinishedGame& finished);
// The settings owner the games' scores are recorded with; main's, for the run.
void playLinuxGamesWith(KeptSettings* kept);

// Whether the last game's line has been printed already, so that the end of
// the program does not print it twice.
bool lastGamePrinted();
