#pragma once

#include <map>
#include <string>
#include <vector>

// A set of equal-sized glyphs drawn as text, '#' for ink and '.' for none.
// The sheet is written in blocks separated by empty lines; the first line of
// a block names its glyphs, each above the first column of its picture, and
// the next `height` lines hold the pictures side by side, one column apart:
//
//     A     B
//     .###. ####.
//     #...# #...#
//     ...
//
// The space character is always present and blank.
class GlyphSheet {
public:
    bool parse(const char* sheet, int width, int height, std::string* error);

    int width() const { return width_; }
    int height() const { return height_; }
    bool has(char symbol) const { return symbol == ' ' || glyphs_.count(symbol) != 0; }
    // Whether the glyph has ink at (x, y); false outside it or for unknown glyphs.
    bool ink(char symbol, int x, int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::map<char, std::vector<std::string>> glyphs_;
};
