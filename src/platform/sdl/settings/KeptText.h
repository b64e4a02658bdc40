#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The line format of the files the game keeps: `name = value` lines, with
// blank lines and `#` or `;` comments between them. A file is kept line by
// line, so that what the game does not know (a comment the player wrote, a
// setting of a later version) is written back as it was found.
class KeptText {
public:
    // The largest file the game reads back: far more than it ever writes.
    static constexpr std::size_t kLimit = 64 * 1024;

    // Reads the text of a whole file. False, with the line number and what
    // is wrong in `error`, when it is not such a file: a line that is neither
    // blank, a comment nor `name = value`, a control character or a NUL
    // byte, or more than the limit.
    bool parse(const std::string& text, std::string* error);

    // The value of the first `name` line, or null.
    const std::string* find(const std::string& name) const;
    // The values of every `name` line, in order.
    std::vector<std::string> findAll(const std::string& name) const;

    // Sets the first `name` line's value, removing any later `name` line;
    // appends the line where there is none.
    void set(const std::string& name, const std::string& value);
    // Replaces every `name` line by one line per value, where the first of
    // them stood (at the end where there was none).
    void setAll(const std::string& name, const std::vector<std::string>& values);

    // The text to write back: every line kept, the ones set rewritten.
    std::string text() const;

private:
    struct Line {
        std::string raw;   // as found, for lines the game does not set
        std::string name;  // empty for blank lines and comments
        std::string value;
        bool rewritten = false;
    };
    std::vector<Line> lines_;
};
