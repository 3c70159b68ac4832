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
    return inBounds(r, c) ? cells[static_cast<size_t>(r * columnCount + c)] : Occupied;
}

void KlotskyGrid::setCell(int r, int c, int state)
{
    if (inBounds(r, c))
        cells[static_cast<size_t>(r * columnCount + c)] = state;
}

bool KlotskyGrid::canMoveTo(const Block& block, int row, int column) const
{
    for (int r = row; r < row + block.height; ++r) {
        for (int c = column; c < column + block.width; ++c) {
            if (!inBounds(r, c))
                return false;
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
    for (int r = block.row; r < block.row + block.height; ++r)
        for (int c = block.column; c < block.column + block.width; ++c)
            setCell(r, c, Free);
    block.row = row;
    block.column = column;
    for (int r = row; r < row + block.height; ++r)
        for (int c = column; c < column + block.width; ++c)
            setCell(r, c, Occupied);
    return true;
}

bool KlotskyGrid::place(const Block& block)
{
    bool clear = true;
    for (int r = block.row; r < block.row + block.height; ++r) {
        for (int c = block.column; c < block.column + block.width; ++c) {
            clear = clear && cell(r, c) == Free;
            setCell(r, c, Occupied);
        }
    }
    return clear;
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
