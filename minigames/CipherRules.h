#pragma once
// The rules of the cipher tiles puzzle, without widgets: tile k shows the
// k-th character of `symbols`; slot i wants the i-th character of
// `solution`. A tile is in place when its symbol is the one its slot wants;
// the board is solved when every slot holding a tile has its symbol. A slot
// beyond the end of the solution wants nothing, so no tile is ever in place
// there (and such a board is never solved).
#include "minigames/TileBoard.h"

#include <string>

class CipherRules {
public:
    // Attempts moveAllOutOfPlace makes before it gives up.
    static constexpr int MaxDerangeSteps = 10000;

    CipherRules() = default;
    CipherRules(std::string symbols, std::string solution);

    // The tile's symbol, or 0 for an id outside `symbols`.
    char symbolOf(int tileId) const;
    // What the slot wants, or 0 beyond the solution.
    char wantedAt(int slot) const;
    bool isTileInPlace(const TileBoard& board, int tileId) const;
    bool isSolved(const TileBoard& board) const;
    // Moves tiles until none stands in place: at the first slot (from 0)
    // whose tile is in place, it is exchanged with the tile of slot
    // (i + 1 + random(n - 1)) mod n, never itself, and the scan starts
    // again. With fewer than two tiles nothing moves. Returns whether no tile
    // is in place at the end: false, leaving the last arrangement, when the
    // symbols allow no such arrangement (MaxDerangeSteps exchanges ran out)
    // or a single tile stands in place.
    bool moveAllOutOfPlace(TileBoard& board, const TileBoard::Random& random) const;

    const std::string& getSymbols() const { return symbols; }
    const std::string& getSolution() const { return solution; }

private:
    // The first slot whose tile is in place, or -1.
    int firstInPlace(const TileBoard& board) const;

    std::string symbols;
    std::string solution;
};
