#pragma once

#include <functional>
#include <string>
#include <vector>

class DisplayDevice;
class InputSystem;

// The screen between two games of the Linux and browser programs: the final
// score, whether it is a new best, the ten best with their dates (this
// game's row marked) and what to press. It waits for the player with no
// time limit, a frame at each vertical blank like the title, drawn afresh
// each time so that a resize or a switch to full screen shows it whole.

struct ResultsRow {
    long points = 0;
    std::string date;  // YYYY-MM-DD
};

struct Results {
    long score = 0;
    // This game's score was kept as the best there is.
    bool newBest = false;
    // The score could not be kept (the file or the page's storage refused it).
    bool notSaved = false;
    // The ten best as kept, best first.
    std::vector<ResultsRow> best;
    // This game's row in `best`; -1 when it is not there.
    int markedRow = -1;
    // The best scores are kept but could not be read: no table is known.
    bool unreadable = false;
    // Asked before each frame: puts in what has become known since the
    // screen opened (the score recorded away from the game), true when it
    // changed anything. None: the results are all known.
    std::function<bool(Results*)> update;
    // What to press, as the program's players can: our capitals, figures,
    // spaces and . - : ! / only.
    std::string playPrompt = "SPACE / PAD A: PLAY AGAIN";
    std::string leavePrompt = "ESC / PAD BACK: LEAVE";
    // Where the program can play the game just ended again (R), what to
    // press for it; empty: no such key.
    std::string watchPrompt;
};

enum class ResultsChoice { PlayAgain, Watch, Leave };

// Shows the results until Space (a pad's A, the page's tap) is pressed: play
// again; R with a watch prompt: watch the game again; or Escape (a pad's Back, the page's Quit), or
// a quit request: leave. A key already down when the screen opens counts only once let go, so the
// last shot of a game or the Escape that ended it never chooses here.
// `given` is shown as its update() brings it up to date.
ResultsChoice runResultsScreen(DisplayDevice* display, InputSystem* input, const Results& given);
