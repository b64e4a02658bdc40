#include "fuzz/KeptFilePath.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/GameSettings.h"
#include "platform/sdl/settings/SavedFile.h"

namespace {

std::string slurp(const std::string& path) {
    std::string text;
    std::string error;
    readSmallFile(path, 1 << 20, &text, &error);
    return text;
}

bool put(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

// The lines of a text, each without its line end.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Whether every line of `before` that the game does not own (by the name
// before its '=') is in `after`, in the same order.
bool keepsForeignLines(const std::string& before, const std::string& after,
                       const std::vector<std::string>& owned) {
    const std::vector<std::string> found = linesOf(after);
    std::size_t at = 0;
    for (const std::string& line : linesOf(before)) {
        KeptText one;
        std::string error;
        one.parse(line, &error);
        bool ours = false;
        for (const std::string& name : owned) ours = ours || one.find(name) != nullptr;
        if (ours) continue;
        while (at < found.size() && found[at] != line) ++at;
        if (at == found.size()) return false;
        ++at;
    }
    return true;
}

// The bytes were either accepted, and are still in place, or kept aside
// whole under `<path>.bad` (moved there, or copied when only bad values were
// taken out), with one complaint.
bool notLost(const std::string& path, const std::string& bytes, bool accepted, int complaints,
             std::string* fault) {
    if (accepted) {
        if (slurp(path) != bytes || complaints != 0) *fault = "an accepted file was changed";
    } else if (slurp(path + ".bad") != bytes || complaints != 1) {
        *fault = "a refused file was not kept aside whole with one complaint";
    }
    return fault->empty();
}

bool sameRows(const std::vector<ScoreEntry>& a, const std::vector<ScoreEntry>& b) {
    bool same = a.size() == b.size();
    for (std::size_t i = 0; same && i < a.size(); ++i) {
        same = a[i].points == b[i].points && a[i].date == b[i].date;
    }
    for (std::size_t i = 1; same && i < a.size(); ++i) same = a[i].points <= a[i - 1].points;
    return same && a.size() <= ScoreBook::kKept;
}

// A file the game read but could not grow without passing the size it
// reads: left byte for byte as it was, with one complaint.
bool tooNearTheLimit(const std::string& before, const std::string& now, int complaints) {
    return complaints == 1 && now == before && before.size() + 256 > KeptText::kLimit;
}

}  // namespace

KeptFilePath::KeptFilePath() {
    // In memory where there is such a folder: every feed flushes files and
    // folders to the disk, which a disk makes slow.
    const char* base = std::getenv("TMPDIR");
    std::string folder = base && base[0] ? base : "/tmp";
    if (access("/dev/shm", W_OK) == 0) folder = "/dev/shm";
    std::string pattern = folder + "/kept-fuzz-XXXXXX";
    if (mkdtemp(pattern.data())) folder_ = pattern;
}

KeptFilePath::~KeptFilePath() {
    if (folder_.empty()) return;
    clear();
    rmdir(folder_.c_str());
}

void KeptFilePath::clear() const {
    DIR* dir = opendir(folder_.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        names.emplace_back(entry->d_name);
    }
    closedir(dir);
    for (const std::string& name : names) {
        if (name != "." && name != "..") unlink((folder_ + "/" + name).c_str());
    }
}

bool KeptFilePath::feed(const std::uint8_t* data, std::size_t size, std::string* fault) {
    fault->clear();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    int complaints = 0;
    const auto count = [&](const std::string&) { ++complaints; };

    // As settings.
    clear();
    const std::string settingsPath = folder_ + "/settings.ini";
    if (!put(settingsPath, data, size)) {
        *fault = "could not write the input";
        return false;
    }
    SettingsFile settings(settingsPath, count);
    GameSettings loaded = settings.load();
    KeptText asRead;
    std::string error;
    GameSettings direct;
    const bool parsed = asRead.parse(bytes, &error);
    const bool settingsAccepted = parsed && readSettings(asRead, &direct, &error);
    if (!notLost(settingsPath, bytes, settingsAccepted, complaints, fault)) return false;
    // Input that does not parse loads as the defaults; input that does as
    // it reads, its bad values ignored.
    if (loaded != (parsed ? direct : GameSettings())) {
        *fault = "the settings loaded differ from the file's";
        return false;
    }
    // What the save starts from: a file with bad values was already rewritten
    // without them as it loaded, with its one complaint.
    const std::string asLoaded = slurp(settingsPath);
    const int loadComplaints = complaints;
    loaded.fullScreen = !loaded.fullScreen;
    loaded.windowWidth = 640;
    loaded.windowHeight = 480;
    loaded.windowPlaced = true;
    loaded.windowX = -3;
    if (!settings.save(loaded)) {
        // Only a file already near the size limit may refuse to grow, and
        // then it stays as it was.
        if (!tooNearTheLimit(asLoaded, slurp(settingsPath), complaints - loadComplaints)) {
            *fault = "settings were not saved, or the file was changed anyway";
            return false;
        }
    } else if (SettingsFile(settingsPath, count).load() != loaded) {
        *fault = "saved settings did not read back";
        return false;
    }
    if (settingsAccepted && !keepsForeignLines(bytes, slurp(settingsPath),
                                               {"fullscreen", "window-size", "window-position",
                                                "integer-scale", "mute"})) {
        *fault = "a line the game does not know was lost on rewrite";
        return false;
    }

    // As the best scores.
    clear();
    complaints = 0;
    const std::string scoresPath = folder_ + "/best-scores.txt";
    put(scoresPath, data, size);
    BestScores scores(scoresPath, count);
    const std::vector<ScoreEntry> table = scores.load();
    // The browser reads the same bytes through the same book: the rows it
    // can read, sorted, the others dropped; the Linux file keeps those rows
    // too, and keeps the whole file aside when it drops any.
    ScoreBook book;
    std::vector<std::string> dropped;
    const bool scoresParsed = book.read(bytes, &dropped, &error);
    const bool scoresAccepted = scoresParsed && dropped.empty();
    if (!notLost(scoresPath, bytes, scoresAccepted, complaints, fault)) return false;
    if (!sameRows(table, scoresParsed ? book.rows() : std::vector<ScoreEntry>())) {
        *fault = "the scores loaded are not the rows the book reads";
        return false;
    }
    ScoreBook again;
    if (!again.read(book.text(), &dropped, &error) || !sameRows(again.rows(), book.rows())) {
        *fault = "the book's own text does not read back as its rows";
        return false;
    }
    const std::string scoresAsLoaded = slurp(scoresPath);
    const int scoresLoadComplaints = complaints;
    const long best = table.empty() ? 0 : table.front().points;
    if (best >= 999999999) return true;  // no game reaches a higher score
    const ScoreOutcome outcome = scores.record(best + 1, "2026-03-04");
    const std::vector<ScoreEntry> after = BestScores(scoresPath, count).load();
    if (complaints > scoresLoadComplaints &&
        tooNearTheLimit(scoresAsLoaded, slurp(scoresPath), complaints - scoresLoadComplaints)) {
        return true;
    }
    if (!outcome.newBest || outcome.place != 1 || after.empty() ||
        after.front().points != best + 1 || after.size() > ScoreBook::kKept) {
        *fault = "a new best score was not recorded first";
        return false;
    }
    for (std::size_t i = 1; i < after.size(); ++i) {
        if (after[i].points > after[i - 1].points) {
            *fault = "the table is out of order";
            return false;
        }
    }
    if (scoresAccepted && !keepsForeignLines(bytes, slurp(scoresPath), {"score"})) {
        *fault = "a line the game does not know was lost from the scores";
        return false;
    }
    return true;
}
