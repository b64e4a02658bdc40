#include "GlyphSheet.h"

namespace {

std::vector<std::string> lines(const char* text) {
    std::vector<std::string> out;
    std::string line;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\r') continue;
        if (*p == '\n') {
            out.push_back(line);
            line.clear();
        } else {
            line += *p;
        }
    }
    out.push_back(line);
    return out;
}

bool blank(const std::string& line) { return line.find_first_not_of(' ') == std::string::npos; }

}  // namespace

bool GlyphSheet::parse(const char* sheet, int width, int height, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    width_ = width;
    height_ = height;
    glyphs_.clear();
    const int pitch = width + 1;
    std::vector<std::string> all = lines(sheet);
    std::size_t at = 0;
    while (at < all.size()) {
        if (blank(all[at])) {
            ++at;
            continue;
        }
        const std::string names = all[at];
        if (at + static_cast<std::size_t>(height) >= all.size()) {
            *error = "glyph block '" + names + "' is cut short";
            return false;
        }
        for (std::size_t column = 0; column < names.size(); ++column) {
            char symbol = names[column];
            if (symbol == ' ') continue;
            if (static_cast<int>(column) % pitch != 0) {
                *error = std::string("glyph '") + symbol + "' is not above a glyph column";
                return false;
            }
            if (glyphs_.count(symbol)) {
                *error = std::string("glyph '") + symbol + "' drawn twice";
                return false;
            }
            std::vector<std::string> picture;
            for (int row = 1; row <= height; ++row) {
                const std::string& line = all[at + static_cast<std::size_t>(row)];
                if (line.size() < column + static_cast<std::size_t>(width)) {
                    *error = std::string("glyph '") + symbol + "' row " + std::to_string(row - 1) +
                             " is too short";
                    return false;
                }
                std::string part = line.substr(column, static_cast<std::size_t>(width));
                if (part.find_first_not_of("#.") != std::string::npos) {
                    *error = std::string("glyph '") + symbol + "' row " + std::to_string(row - 1) +
                             " holds something other than # and .";
                    return false;
                }
                picture.push_back(part);
            }
            glyphs_[symbol] = picture;
        }
        at += static_cast<std::size_t>(height) + 1;
    }
    if (glyphs_.empty()) {
        *error = "no glyphs in the sheet";
        return false;
    }
    return true;
}

bool GlyphSheet::ink(char symbol, int x, int y) const {
    auto found = glyphs_.find(symbol);
    if (found == glyphs_.end() || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return found->second[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
}
