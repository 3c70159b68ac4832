#pragma once
// The board of the sliding-block puzzle, without widgets: rows x columns
// cells, each free (0) or occupied (1) by a wall or a block; the cell of row
// r and column c is element r * columns + c. A block covers the cells of
// rows row .. row + height - 1 and columns column .. column + width - 1.
//
// A block moves only where its whole footprint lies on the board on cells
// that are free or its own; a refused move leaves the grid exactly as it
// was.
#include <string>
#include <vector>

class KlotskyGrid {
public:
    static constexpr int Free = 0;
    static constexpr int Occupied = 1;

    // A block's place (its top-left cell) and size in cells.
    struct Block {
        int row = 0;
        int column = 0;
        int width = 1;
        int height = 1;
        // The cell lies inside the footprint.
        bool covers(int r, int c) const
        {
            return r >= row && r < static_cast<long long>(row) + height && c >= column &&
                   c < static_cast<long long>(column) + width;
        }
    };

    KlotskyGrid() = default;
    // Every cell free; sizes below 0 count as 0.
    KlotskyGrid(int rows, int columns);

    // The pattern row by row: a character other than '0' marks its cell
    // occupied. Characters beyond the board are ignored; cells beyond the
    // pattern keep their state.
    void applyPattern(const std::string& pattern);

    int rows() const { return rowCount; }
    int columns() const { return columnCount; }
    bool inBounds(int r, int c) const { return r >= 0 && r < rowCount && c >= 0 && c < columnCount; }
    // The cell's state; Occupied outside the board.
    int cell(int r, int c) const;
    // Nothing outside the board.
    void setCell(int r, int c, int state);
    const std::vector<int>& getCells() const { return cells; }

    // The block could stand with its top-left cell at (row, column).
    bool canMoveTo(const Block& block, int row, int column) const;
    // Moves the block there when canMoveTo accepts it: its old cells are
    // freed and its new ones occupied. Refused, nothing changes. Returns
    // whether it moved.
    bool occupy(Block& block, int row, int column);
    // Marks the block's cells (those on the board) occupied where it stands,
    // as the description lists it: the start of the game. Returns false when
    // some cell was not free or lies off the board (placed all the same).
    bool place(const Block& block);

    // The cells as digits, row after row with '/' between rows.
    std::string describe() const;

private:
    size_t indexOf(int r, int c) const
    {
        return static_cast<size_t>(r) * static_cast<size_t>(columnCount) + static_cast<size_t>(c);
    }
    // Sets the block's cells that lie on the board.
    void fill(const Block& block, int state);

    int rowCount = 0;
    int columnCount = 0;
    std::vector<int> cells;
};
