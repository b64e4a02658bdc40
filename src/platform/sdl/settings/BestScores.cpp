#include "platform/sdl/settings/BestScores.h"

#include <cstdio>
#include <utility>

BestScores::BestScores(KeptFile::Complaint complain)
    : BestScores(dataFolder().empty() ? std::string() : dataFolder() + "/best-scores.txt",
                 std::move(complain)) {}

BestScores::BestScores(std::string path, KeptFile::Complaint complain)
    : file_(
          std::move(path), "best scores",
          [](const KeptText& text, std::string* error) {
              std::vector<std::string> dropped;
              ScoreBook().read(text, &dropped);
              if (dropped.empty()) return true;
              *error = dropped.front() + ": not 'score = <points> <YYYY-MM-DD>'";
              return false;
          },
          std::move(complain),
          [](KeptText& text, std::string* dropped) { return dropUnreadScores(&text, dropped); }) {}

std::vector<ScoreEntry> BestScores::load() {
    ScoreBook book;
    // The file's check has passed by now (its bad rows taken out), or its
    // lines are empty.
    book.read(file_.load(), nullptr);
    known_ = book.rows();
    return known_;
}

ScoreOutcome BestScores::record(long points, const std::string& date) {
    ScoreOutcome outcome;
    if (points > 0) {
        outcome.saved = file_.update([&](KeptText& text) {
            ScoreBook book;
            book.read(text, nullptr);
            outcome.newBest = book.beatsAll(points);
            outcome.place = book.record(points, date);
            outcome.table = book.rows();
            book.write(&text);
        });
    }
    if (outcome.saved) {
        known_ = outcome.table;
    } else {
        outcome.newBest = false;
        outcome.place = 0;
        outcome.table = known_;
    }
    outcome.best = outcome.table.empty() ? 0 : outcome.table.front().points;
    outcome.unreadable = file_.unreadable();
    return outcome;
}

std::string scoresText(const std::vector<ScoreEntry>& scores, const std::string& path,
                       bool unreadable) {
    const std::string where = path.empty() ? "no home folder to keep them in" : path;
    if (unreadable) return "The best scores cannot be read (" + where + ").\n";
    if (scores.empty()) return "No best scores yet (" + where + ").\n";
    std::string text = "Best scores (" + where + "):\n";
    int place = 0;
    for (const ScoreEntry& entry : scores) {
        char line[64];
        std::snprintf(line, sizeof line, "%3d. %9ld  %s\n", ++place, entry.points,
                      entry.date.c_str());
        text += line;
    }
    return text;
}

std::string finalScoreLine(long points, const ScoreOutcome& outcome) {
    std::string line = "Zorbanix: final score " + std::to_string(points);
    if (outcome.unreadable) return line + " (best scores unreadable)";
    if (points > 0 && !outcome.saved) return line + " (best not saved)";
    if (outcome.newBest) return line + " (new best)";
    return line + " (best " + std::to_string(outcome.best) + ")";
}
