#pragma once
// The rules of the rectangle tile sum puzzle, without widgets: twelve tiles
// in two rows of six slots; tile k is worth (k mod 5) + 1. Slot s belongs to
// row (s / 2) / 3 and to rectangle (s / 2) mod 3, so rectangle k holds the
// slots 2k, 2k + 1, 2k + 6 and 2k + 7. The board is solved when row 0 sums
// to 16, row 1 to 17 and the rectangles to 9, 11 and 13.
//
// Only slots 0 to 11 count: a board with more slots (a tuning file asking
// for more than twelve elements) has no row for the others, and they are
// left out of every sum.
#include "minigames/TileBoard.h"

#include <array>
#include <string>

class TileSumRules {
public:
    static constexpr int SlotCount = 12;
    static constexpr int RowCount = 2;
    static constexpr int RectangleCount = 3;
    static const std::array<int, RowCount> RowTargets;
    static const std::array<int, RectangleCount> RectangleTargets;

    // The sums of one arrangement and which of them meet their targets.
    struct Sums {
        std::array<int, RowCount> rows{};
        std::array<int, RectangleCount> rectangles{};
        std::array<bool, RowCount> rowMet{};
        std::array<bool, RectangleCount> rectangleMet{};
        bool solved = false;
        // "16,17/8,16,9", the rows then the rectangles (logs, the driver).
        std::string describe() const;
    };

    // (id mod 5) + 1; ids are never negative on a board.
    static int valueOf(int tileId) { return tileId % 5 + 1; }
    static int rowOf(int slot) { return slot / 2 / 3; }
    static int rectangleOf(int slot) { return slot / 2 % 3; }
    // The sums of the tiles standing in slots 0 to 11.
    static Sums evaluate(const TileBoard& board);
};
