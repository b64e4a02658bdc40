#pragma once

#include <string>
#include <vector>

#include "platform/sdl/settings/KeptFile.h"

// The ten best final scores with the day each was made: `best-scores.txt` in
// the data folder, one `score = <points> <YYYY-MM-DD>` line each, best first.
struct ScoreEntry {
    long points = 0;
    std::string date;  // YYYY-MM-DD, the player's local date
};

// What recording a final score found.
struct ScoreOutcome {
    long best = 0;         // the best score now, this game's included
    bool newBest = false;  // this game beat every score kept before it
    int place = 0;         // 1 to 10 in the table, 0 when it did not make it
    // The file holds this game's score now: false when it could not be
    // written (then `table` is the one read, without this game, and `place`
    // is 0). A score of 0 is never written, and counts as not saved.
    bool saved = false;
    // The ten best as kept, best first.
    std::vector<ScoreEntry> table;
};

class BestScores {
public:
    static constexpr std::size_t kKept = 10;

    // The file in dataFolder(); `complain` as for KeptFile.
    explicit BestScores(KeptFile::Complaint complain = {});
    BestScores(std::string path, KeptFile::Complaint complain);

    // The table as kept, best first.
    std::vector<ScoreEntry> load();

    // Records a final score made on `date`. The table is read again under
    // the folder's lock, so a score another copy of the game recorded
    // meanwhile counts. A score of 0 is not recorded. Where the file cannot
    // be written the outcome is still worked out from what was read.
    ScoreOutcome record(long points, const std::string& date);

    const std::string& path() const { return file_.path(); }

private:
    KeptFile file_;
};

// The table's entries from the file's lines, best first. False, with
// `error`, when a score line is malformed.
bool readScores(const KeptText& text, std::vector<ScoreEntry>* scores, std::string* error);

// Puts a score into a table kept best first: after the scores it does not
// beat, so an equal score made earlier stays ahead. Returns its place (1 to
// kKept), or 0 when it does not make the table.
int placeScore(std::vector<ScoreEntry>* scores, const ScoreEntry& entry);

// Today's date where the player is, as YYYY-MM-DD.
std::string todaysDate();

// What `zorbanix --scores` prints: the table, or that there is none yet,
// with the file's place.
std::string scoresText(const std::vector<ScoreEntry>& scores, const std::string& path);

// The program's last line: "Zorbanix: final score N" followed by the best
// score, by "new best" when this game set it and it was kept, or by "best
// not saved" when the file could not be written.
std::string finalScoreLine(long points, const ScoreOutcome& outcome);
