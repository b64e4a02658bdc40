#include "platform/sdl/settings/BestScores.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace {

constexpr const char* kScore = "score";

bool isDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9')) return false;
    }
    return true;
}

std::string scoreValue(const ScoreEntry& entry) {
    return std::to_string(entry.points) + " " + entry.date;
}

}  // namespace

bool readScores(const KeptText& text, std::vector<ScoreEntry>* scores, std::string* error) {
    std::vector<ScoreEntry> read;
    for (const std::string& value : text.findAll(kScore)) {
        ScoreEntry entry;
        errno = 0;
        char* end = nullptr;
        entry.points = std::strtol(value.c_str(), &end, 10);
        const bool digits = !value.empty() && value[0] >= '0' && value[0] <= '9';
        if (!digits || errno != 0 || entry.points > 999999999 || *end != ' ' || !isDate(end + 1)) {
            *error = "score = " + value + ": not 'score = <points> <YYYY-MM-DD>'";
            return false;
        }
        entry.date = end + 1;
        // A table edited by hand may be out of order: it is read in order.
        placeScore(&read, entry);
    }
    *scores = std::move(read);
    return true;
}

int placeScore(std::vector<ScoreEntry>* scores, const ScoreEntry& entry) {
    std::size_t at = 0;
    while (at < scores->size() && (*scores)[at].points >= entry.points) ++at;
    if (at >= BestScores::kKept) return 0;
    scores->insert(scores->begin() + static_cast<std::ptrdiff_t>(at), entry);
    if (scores->size() > BestScores::kKept) scores->resize(BestScores::kKept);
    return static_cast<int>(at) + 1;
}

BestScores::BestScores(KeptFile::Complaint complain)
    : BestScores(dataFolder().empty() ? std::string() : dataFolder() + "/best-scores.txt",
                 std::move(complain)) {}

BestScores::BestScores(std::string path, KeptFile::Complaint complain)
    : file_(
          std::move(path), "best scores",
          [](const KeptText& text, std::string* error) {
              std::vector<ScoreEntry> ignored;
              return readScores(text, &ignored, error);
          },
          std::move(complain)) {}

std::vector<ScoreEntry> BestScores::load() {
    std::vector<ScoreEntry> scores;
    std::string error;
    readScores(file_.load(), &scores, &error);
    return scores;
}

ScoreOutcome BestScores::record(long points, const std::string& date) {
    ScoreOutcome outcome;
    std::vector<ScoreEntry> judged;
    const auto judge = [&](std::vector<ScoreEntry> scores) {
        const long before = scores.empty() ? 0 : scores.front().points;
        outcome.newBest = points > before;
        outcome.best = outcome.newBest ? points : before;
        outcome.table = scores;
        outcome.place = points > 0 ? placeScore(&scores, {points, date}) : 0;
        judged = scores;
        return scores;
    };
    // Judged first on the table as loaded, in case the file cannot be
    // written; then again on the table as it is under the lock.
    judge(load());
    if (points <= 0) return outcome;
    outcome.saved = file_.update([&](KeptText& text) {
        std::vector<ScoreEntry> scores;
        std::string error;
        readScores(text, &scores, &error);
        std::vector<std::string> values;
        for (const ScoreEntry& entry : judge(scores)) values.push_back(scoreValue(entry));
        text.setAll(kScore, values);
    });
    if (outcome.saved) {
        outcome.table = judged;
    } else {
        outcome.place = 0;
    }
    return outcome;
}

std::string todaysDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "1970-01-01";
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string scoresText(const std::vector<ScoreEntry>& scores, const std::string& path) {
    const std::string where = path.empty() ? "no home folder to keep them in" : path;
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
    if (points > 0 && !outcome.saved) return line + " (best not saved)";
    if (outcome.newBest) return line + " (new best)";
    return line + " (best " + std::to_string(outcome.best) + ")";
}
