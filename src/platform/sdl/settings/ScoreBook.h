#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/sdl/settings/KeptText.h"

// The ten best final scores with the day each was made, as both the Linux
// program and the browser keep them: one `score = <points> <YYYY-MM-DD>` line
// each, best first, in the kept-file line format (KeptText). Text in, text
// out: where the text is kept (a file, the browser's storage) is the
// caller's. A row kept before dates were (the browser's first best) has no
// date: `score = <points>`.
struct ScoreEntry {
    long points = 0;
    std::string date;  // YYYY-MM-DD, the player's local date, or empty
};

class ScoreBook {
public:
    static constexpr std::size_t kKept = 10;
    // No game reaches more; a longer number is not a score the game made.
    static constexpr long kHighest = 999999999;

    // The rows of parsed lines, best first: a row the game cannot read (a
    // negative, too long or malformed score, a date that is no day) is left
    // out and named in `dropped` ("score = -50"), one entry each; the rest
    // are kept, sorted, an equal score read earlier staying ahead.
    void read(const KeptText& lines, std::vector<std::string>* dropped);
    // The same from the book's whole text. False, with `error`, when the text
    // is not in the line format at all (then the book is empty).
    bool read(const std::string& text, std::vector<std::string>* dropped, std::string* error);

    const std::vector<ScoreEntry>& rows() const { return rows_; }
    long best() const { return rows_.empty() ? 0 : rows_.front().points; }
    // Whether a final score beats every score kept: a new best.
    bool beatsAll(long points) const { return points > best(); }

    // Puts a final score into the table after the scores it does not beat,
    // so an equal score made earlier stays ahead. Its place (1 to kKept), or
    // 0 when it has no points or does not make the table.
    int record(long points, const std::string& date);

    // Writes the rows over the `score` lines, keeping every other line.
    void write(KeptText* lines) const;
    // The book's text: the lines read, their rows rewritten.
    std::string text() const;

private:
    KeptText lines_;
    std::vector<ScoreEntry> rows_;
};

// Takes the unreadable rows out of parsed lines, naming them in `dropped`;
// false when there were none (the settings files' mend, for the scores).
bool dropUnreadScores(KeptText* lines, std::string* dropped);

// Today's date where the player is, as YYYY-MM-DD.
std::string todaysDate();
