#include "PixelArt.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

namespace {

bool parseHexColour(const std::string& text, Rgb* out) {
    if (text.size() != 6) return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    *out = static_cast<Rgb>(std::strtoul(text.c_str(), nullptr, 16));
    return true;
}

bool parsePalette(const PixelArt& art, std::map<char, Rgb>* palette, std::string* error) {
    std::istringstream in(art.palette ? art.palette : "");
    std::string symbol;
    std::string hex;
    while (in >> symbol) {
        Rgb colour = 0;
        if (!(in >> hex) || symbol.size() != 1 || !parseHexColour(hex, &colour)) {
            *error = std::string(art.name) + ": bad palette entry near '" + symbol + "'";
            return false;
        }
        if (symbol[0] == '.' || palette->count(symbol[0])) {
            *error = std::string(art.name) + ": palette symbol '" + symbol + "' used twice";
            return false;
        }
        if (colour == kKey) {
            *error = std::string(art.name) + ": the key colour belongs to '.' only";
            return false;
        }
        (*palette)[symbol[0]] = colour;
    }
    return true;
}

std::vector<std::string> splitRows(const char* text) {
    std::vector<std::string> rows;
    std::string row;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\r') continue;
        if (*p == '\n') {
            rows.push_back(row);
            row.clear();
        } else {
            row += *p;
        }
    }
    rows.push_back(row);
    while (!rows.empty() && rows.front().empty()) rows.erase(rows.begin());
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
}

}  // namespace

bool paintPixelArt(const PixelArt& art, Image* out, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    std::map<char, Rgb> palette;
    if (!parsePalette(art, &palette, error)) return false;

    std::vector<std::string> rows = splitRows(art.rows);
    if (rows.empty() || rows.front().empty()) {
        *error = std::string(art.name) + ": no rows";
        return false;
    }
    const int given = static_cast<int>(rows.front().size());
    const int width = art.mirrored ? 2 * given - 1 : given;
    Image image(width, static_cast<int>(rows.size()), kKey);
    for (int y = 0; y < image.height(); ++y) {
        const std::string& row = rows[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != given) {
            *error = std::string(art.name) + ": row " + std::to_string(y) + " is " +
                     std::to_string(row.size()) + " wide, expected " + std::to_string(given);
            return false;
        }
        for (int x = 0; x < given; ++x) {
            char symbol = row[static_cast<std::size_t>(x)];
            Rgb colour = kKey;
            if (symbol != '.') {
                auto found = palette.find(symbol);
                if (found == palette.end()) {
                    *error = std::string(art.name) + ": unknown symbol '" + std::string(1, symbol) +
                             "' at column " + std::to_string(x) + ", row " + std::to_string(y);
                    return false;
                }
                colour = found->second;
            }
            image.set(x, y, colour);
            if (art.mirrored) image.set(width - 1 - x, y, colour);
        }
    }
    *out = image;
    return true;
}
