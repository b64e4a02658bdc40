#include "platform/sdl/settings/ScoreBook.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace {

constexpr const char* kScore = "score";

int number(const std::string& text, std::size_t at, std::size_t digits) {
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// A day of the calendar, written YYYY-MM-DD.
bool isDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    const int year = number(text, 0, 4);
    const int month = number(text, 5, 2);
    const int day = number(text, 8, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] && !(month == 2 && day == 29 && !leap);
}

// `<points> <YYYY-MM-DD>`, or `<points>` alone for a row kept before dates.
bool readRow(const std::string& value, ScoreEntry* entry) {
    if (value.empty() || value[0] < '0' || value[0] > '9') return false;
    errno = 0;
    char* end = nullptr;
    entry->points = std::strtol(value.c_str(), &end, 10);
    if (errno != 0 || entry->points > ScoreBook::kHighest) return false;
    if (*end == '\0') {
        entry->date.clear();
        return true;
    }
    entry->date = end + 1;
    return *end == ' ' && isDate(entry->date);
}

void place(std::vector<ScoreEntry>* rows, const ScoreEntry& entry, int* at) {
    std::size_t i = 0;
    while (i < rows->size() && (*rows)[i].points >= entry.points) ++i;
    *at = 0;
    if (i >= ScoreBook::kKept) return;
    rows->insert(rows->begin() + static_cast<std::ptrdiff_t>(i), entry);
    if (rows->size() > ScoreBook::kKept) rows->resize(ScoreBook::kKept);
    *at = static_cast<int>(i) + 1;
}

}  // namespace

void ScoreBook::read(const KeptText& lines, std::vector<std::string>* dropped) {
    lines_ = lines;
    rows_.clear();
    for (const std::string& value : lines.findAll(kScore)) {
        ScoreEntry entry;
        if (!readRow(value, &entry)) {
            if (dropped) dropped->push_back(std::string(kScore) + " = " + value);
            continue;
        }
        // A table edited by hand, or kept out of order, is read in order.
        int at = 0;
        place(&rows_, entry, &at);
    }
}

bool ScoreBook::read(const std::string& text, std::vector<std::string>* dropped,
                     std::string* error) {
    KeptText lines;
    const bool parsed = lines.parse(text, error);
    read(lines, dropped);
    return parsed;
}

int ScoreBook::record(long points, const std::string& date) {
    if (points <= 0) return 0;
    int at = 0;
    place(&rows_, {points, date}, &at);
    return at;
}

void ScoreBook::write(KeptText* lines) const {
    std::vector<std::string> values;
    for (const ScoreEntry& entry : rows_) {
        values.push_back(std::to_string(entry.points) +
                         (entry.date.empty() ? std::string() : " " + entry.date));
    }
    lines->setAll(kScore, values);
}

std::string ScoreBook::text() const {
    KeptText lines = lines_;
    write(&lines);
    return lines.text();
}

bool dropUnreadScores(KeptText* lines, std::string* dropped) {
    ScoreBook book;
    std::vector<std::string> bad;
    book.read(*lines, &bad);
    dropped->clear();
    for (const std::string& line : bad) *dropped += (dropped->empty() ? "" : ", ") + line;
    if (bad.empty()) return false;
    book.write(lines);
    return true;
}

std::string todaysDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "1970-01-01";
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}
