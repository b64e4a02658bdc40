#pragma once

#include <string>
#include <vector>

#include "platform/sdl/settings/KeptFile.h"
#include "platform/sdl/settings/ScoreBook.h"

// What recording a final score found.
struct ScoreOutcome {
    long best = 0;         // the best score now, this game's included
    bool newBest = false;  // this game beat every score kept, and was saved
    int place = 0;         // 1 to 10 in the table, 0 when it did not make it
    // The file holds this game's score now: false when it could not be
    // written (then `table` is the one last read, without this game, and
    // `place` is 0). A score of 0 is never written, and counts as not saved.
    bool saved = false;
    // The file is there but could not be read: no table is known, and no
    // score is claimed a new best.
    bool unreadable = false;
    // The ten best as kept, best first.
    std::vector<ScoreEntry> table;
};

// The Linux program's score book: `best-scores.txt` in the data folder
// (ScoreBook's text), read and written under the folder's lock. A row the
// game cannot read is dropped as the file is read, with one line on stderr,
// the other rows kept and a copy of the file as it was kept aside.
class BestScores {
public:
    // The file in dataFolder(); `complain` as for KeptFile.
    explicit BestScores(KeptFile::Complaint complain = {});
    BestScores(std::string path, KeptFile::Complaint complain);

    // Reads the table again, best first, and keeps it as the one known.
    std::vector<ScoreEntry> load();
    // The table as last read or written.
    const std::vector<ScoreEntry>& known() const { return known_; }
    // The file was there but could not be read.
    bool unreadable() const { return file_.unreadable(); }

    // Records a final score made on `date`: the table is read under the
    // folder's lock (so a score another copy of the game recorded meanwhile
    // counts), the score placed, and the file rewritten, all under one
    // holding of the lock. A score of 0 is not recorded. Where the file
    // cannot be written the outcome is worked out from the table known.
    ScoreOutcome record(long points, const std::string& date);

    const std::string& path() const { return file_.path(); }
    void setLockWait(int milliseconds) { file_.setLockWait(milliseconds); }

private:
    KeptFile file_;
    std::vector<ScoreEntry> known_;
};

// What `zorbanix --scores` prints: the table, or that there is none yet,
// with the file's place.
std::string scoresText(const std::vector<ScoreEntry>& scores, const std::string& path,
                       bool unreadable = false);

// The program's last line: "Zorbanix: final score N" followed by the best
// score, by "new best" when this game set it and it was kept, by "best not
// saved" when the file could not be written, or by "best scores unreadable".
std::string finalScoreLine(long points, const ScoreOutcome& outcome);
