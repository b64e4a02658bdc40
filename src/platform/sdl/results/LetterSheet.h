#pragma once

// letters.bmp, the lettering of the screen between two games: our capitals,
// figures and a few signs, painted by tools/artwork in four inks, one row of
// cells per ink. The painter and the screen both read the layout from here.
//
// Each cell holds one glyph with its rim and shadow; the cells of a row
// stand one pixel apart, and the rows too, with a one-pixel margin all
// round. Letters drawn side by side overlap by their rims.
namespace letterSheet {

inline constexpr char kFileName[] = "letters.bmp";
// The glyphs of a row, in order ('>' marks this game's row in the table).
inline constexpr char kCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ.-:!>/";
inline constexpr int kCharacterCount = static_cast<int>(sizeof kCharacters) - 1;

enum Ink { Plain, Marked, Prompt, Heading, kInkCount };

// How large an ink's glyphs are: the 5 x 7 grid at `scale`, `weight` pixels
// heavier, `spacing` apart, inside a rim of `outline` and a drop shadow.
struct InkShape {
    int scale;
    int weight;
    int spacing;
    int outline;
    int shadow;

    constexpr int cellWidth() const { return 5 * scale + weight + 2 * outline + shadow; }
    constexpr int cellHeight() const { return 7 * scale + 2 * outline + shadow; }
    // From one letter's cell to the next one's.
    constexpr int advance() const { return 5 * scale + weight + spacing; }
};

inline constexpr InkShape kShapes[kInkCount] = {
    {2, 1, 2, 1, 1},  // Plain: the table and small print
    {2, 1, 2, 1, 1},  // Marked: this game's row, "NEW BEST"
    {2, 1, 2, 1, 1},  // Prompt: the keys to press
    {4, 2, 4, 2, 0},  // Heading: the headings and the final score
};

// Where a row's cells start in the sheet.
constexpr int rowTop(int ink) {
    int top = 1;
    for (int i = 0; i < ink; ++i) top += kShapes[i].cellHeight() + 1;
    return top;
}
constexpr int cellLeft(int ink, int index) { return 1 + index * (kShapes[ink].cellWidth() + 1); }

constexpr int sheetWidth() {
    int widest = 0;
    for (const InkShape& shape : kShapes) {
        const int width = 1 + kCharacterCount * (shape.cellWidth() + 1);
        if (width > widest) widest = width;
    }
    return widest;
}
constexpr int sheetHeight() { return rowTop(kInkCount); }

}  // namespace letterSheet
