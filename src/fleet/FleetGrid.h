#pragma once

#include <cstdint>

class Invader;

// The fleet's 5 x 11 cells, row 0 at the top and column 0 at the left; an
// empty cell is null. The grid holds the invaders; the Fleet creates and
// deletes them.
struct FleetGrid {
    static constexpr std::int32_t kRows = 5;
    static constexpr std::int32_t kColumns = 11;

    Invader* at(std::int32_t row, std::int32_t column) const { return cells[row][column]; }

    std::int32_t rows = kRows;
    std::int32_t columns = kColumns;
    Invader* cells[kRows][kColumns] = {};
};
