#include "minigames/CipherRules.h"

#include <utility>

CipherRules::CipherRules(std::string tileSymbols, std::string wanted)
    : symbols(std::move(tileSymbols))
    , solution(std::move(wanted))
{
}

char CipherRules::symbolOf(int tileId) const
{
    return tileId >= 0 && tileId < static_cast<int>(symbols.size()) ? symbols[static_cast<size_t>(tileId)] : '\0';
}

char CipherRules::wantedAt(int slot) const
{
    return slot >= 0 && slot < static_cast<int>(solution.size()) ? solution[static_cast<size_t>(slot)] : '\0';
}

bool CipherRules::isTileInPlace(const TileBoard& board, int tileId) const
{
    const char symbol = symbolOf(tileId);
    const char wanted = wantedAt(board.slotOf(tileId));
    return symbol != '\0' && symbol == wanted;
}

bool CipherRules::isSolved(const TileBoard& board) const
{
    for (int tile : board.tiles()) {
        if (!isTileInPlace(board, tile))
            return false;
    }
    return true;
}

int CipherRules::firstInPlace(const TileBoard& board) const
{
    for (int slot = 0; slot < board.size(); ++slot) {
        if (isTileInPlace(board, board.tileAt(slot)))
            return slot;
    }
    return -1;
}

bool CipherRules::moveAllOutOfPlace(TileBoard& board, const TileBoard::Random& random) const
{
    const int n = board.size();
    if (n < 2)
        return firstInPlace(board) < 0;
    for (int step = 0; step < MaxDerangeSteps; ++step) {
        const int i = firstInPlace(board);
        if (i < 0)
            return true;
        board.swapSlots(i, (i + 1 + random(n - 1)) % n);
    }
    return firstInPlace(board) < 0;
}
