#include "minigames/TileSumRules.h"

const std::array<int, TileSumRules::RowCount> TileSumRules::RowTargets = {16, 17};
const std::array<int, TileSumRules::RectangleCount> TileSumRules::RectangleTargets = {9, 11, 13};

TileSumRules::Sums TileSumRules::evaluate(const TileBoard& board)
{
    Sums sums;
    const int slots = board.size() < SlotCount ? board.size() : SlotCount;
    for (int slot = 0; slot < slots; ++slot) {
        const int id = board.tileAt(slot);
        if (id < 0)
            continue;
        sums.rows[static_cast<size_t>(rowOf(slot))] += valueOf(id);
        sums.rectangles[static_cast<size_t>(rectangleOf(slot))] += valueOf(id);
    }
    sums.solved = true;
    for (size_t i = 0; i < sums.rows.size(); ++i) {
        sums.rowMet[i] = sums.rows[i] == RowTargets[i];
        sums.solved = sums.solved && sums.rowMet[i];
    }
    for (size_t i = 0; i < sums.rectangles.size(); ++i) {
        sums.rectangleMet[i] = sums.rectangles[i] == RectangleTargets[i];
        sums.solved = sums.solved && sums.rectangleMet[i];
    }
    return sums;
}

std::string TileSumRules::Sums::describe() const
{
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i)
        out += (i ? "," : "") + std::to_string(rows[i]);
    out += "/";
    for (size_t i = 0; i < rectangles.size(); ++i)
        out += (i ? "," : "") + std::to_string(rectangles[i]);
    return out;
}
