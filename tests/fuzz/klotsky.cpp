// Fuzzes the sliding-block minigame's description file reader and the board
// the minigame builds from it: the grid with its pattern, every tile placed
// as listed, then each tile tried one cell along every axis and to the
// solution's cells.
#include "minigames/KlotskyFile.h"
#include "minigames/KlotskyGrid.h"
#include "tests/fuzz/FuzzSupport.h"

#include <climits>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Board.xml");
    fuzz::writeInput(path, data, size);

    const KlotskyDesc desc = KlotskyFile::load(path);
    if (!desc.hasBoard) {
        if (!desc.tiles.empty() || !desc.conditions.empty())
            __builtin_trap();
        return 0;
    }
    KlotskyGrid grid(desc.rows, desc.columns);
    grid.applyPattern(desc.pattern);
    std::vector<KlotskyGrid::Block> blocks;
    for (const KlotskyTileDesc& tile : desc.tiles) {
        const KlotskyGrid::Block block{tile.row, tile.column, tile.width, tile.height};
        (void)grid.place(block);
        blocks.push_back(block);
    }
    for (KlotskyGrid::Block& block : blocks) {
        const int row = block.row, column = block.column;
        for (const auto& [dr, dc] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const long long r = static_cast<long long>(row) + dr, c = static_cast<long long>(column) + dc;
            if (r < INT_MIN || r > INT_MAX || c < INT_MIN || c > INT_MAX)
                continue;
            // A refused move must leave the board as it was.
            const std::vector<int> before = grid.getCells();
            if (!grid.occupy(block, static_cast<int>(r), static_cast<int>(c)) && grid.getCells() != before)
                __builtin_trap();
        }
    }
    for (const KlotskyCondition& condition : desc.conditions)
        if (condition.tileId >= 0 && static_cast<size_t>(condition.tileId) < blocks.size())
            (void)grid.canMoveTo(blocks[static_cast<size_t>(condition.tileId)], condition.row, condition.column);
    (void)grid.describe();
    return 0;
}
