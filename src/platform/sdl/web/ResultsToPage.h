#pragma once

#include "platform/sdl/results/ResultsScreen.h"

// Hands the results screen's data to the page as one object, so that the
// page can show them in its own text where the picture is too small to read:
//   Module.onResults({score, newBest, notSaved, marked, rows: [{points, date}]})
// with `marked` this game's row, or -1. Nothing happens when the page sets
// no onResults.
void announceResults(const Results& results);
