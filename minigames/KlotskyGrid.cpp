#include "minigames/KlotskyGrid.h"

#include <algorithm>

KlotskyGrid::KlotskyGrid(int r, int c)
    : rowCount(std::max(0, r))
    , columnCount(std::max(0, c))
    , cells(static_cast<size_t>(rowCount) * static_cast<size_t>(columnCount), Free)
{
}

void KlotskyGrid::applyPattern(const std::string& pattern)
{
    const size_t n = std::min(pattern.size(), cells.size());
    for (size_t i = 0; i < n; ++i) {
        if (pattern[i] != '0')
            cells[i] = Occupied;
    }
}

int KlotskyGrid::cell(int r, int c) const
{
    return inBounds(r, c) ? cells[indexOf(r, c)] : Occupied;
}

void KlotskyGrid::setCell(int r, int c, int state)
{
    if (inBounds(r, c))
        cells[indexOf(r, c)] = state;
}

bool KlotskyGrid::canMoveTo(const Block& block, int row, int column) const
{
    // The footprint must lie on the board; sums in 64 bits, so that no size
    // read from a file overflows.
    const long long bottom = static_cast<long long>(row) + block.height;
    const long long right = static_cast<long long>(column) + block.width;
    if (row < 0 || column < 0 || bottom > rowCount || right > columnCount)
        return false;
    for (int r = row; r < bottom; ++r) {
        for (int c = column; c < right; ++c) {
            if (cell(r, c) != Free && !block.covers(r, c))
                return false;
        }
    }
    return true;
}

bool KlotskyGrid::occupy(Block& block, int row, int column)
{
    // Checked before anything is freed, so that a refused move cannot leave
    // the block's own cells free under it.
    if (!canMoveTo(block, row, column))
        return false;
    fill(block, Free);
    block.row = row;
    block.column = column;
    fill(block, Occupied);
    return true;
}

bool KlotskyGrid::place(const Block& block)
{
    // Not clear when a cell of the footprint lies off the board; only the
    // cells on the board are visited, however large the block.
    const long long bottom = static_cast<long long>(block.row) + block.height;
    const long long right = static_cast<long long>(block.column) + block.width;
    bool clear = block.height <= 0 || block.width <= 0 ||
                 (block.row >= 0 && block.column >= 0 && bottom <= rowCount && right <= columnCount);
    const int top = std::max(block.row, 0), left = std::max(block.column, 0);
    const long long lastRow = std::min<long long>(bottom, rowCount), lastColumn = std::min<long long>(right, columnCount);
    for (int r = top; r < lastRow; ++r)
        for (int c = left; c < lastColumn; ++c)
            clear = clear && cell(r, c) == Free;
    fill(block, Occupied);
    return clear;
}

void KlotskyGrid::fill(const Block& block, int state)
{
    const long long lastRow = std::min<long long>(static_cast<long long>(block.row) + block.height, rowCount);
    const long long lastColumn = std::min<long long>(static_cast<long long>(block.column) + block.width, columnCount);
    for (int r = std::max(block.row, 0); r < lastRow; ++r)
        for (int c = std::max(block.column, 0); c < lastColumn; ++c)
            setCell(r, c, state);
}

std::string KlotskyGrid::describe() const
{
    std::string out;
    for (int r = 0; r < rowCount; ++r) {
        if (r)
            out += '/';
        for (int c = 0; c < columnCount; ++c)
            out += static_cast<char>('0' + cell(r, c));
    }
    return out;
}
