#pragma once
// The rules of the sum-the-numbers game, without widgets: five number tiles
// (ids FirstTileId ... FirstTileId + 4) on five places, each tile with a
// home place; the player clicks one tile and then another, and the two
// exchange places. When every tile has arrived home the glow starts, once.
//
// Every tile always has a place of its own: the places are exchanged at the
// second click, while the tiles' pictures move there afterwards (and a tile
// already moving simply turns to its new place). So the places stay a
// permutation of the homes whatever the clicks and their timing. A tile has
// arrived when its movement ended on its home place (arrive); one that
// starts at home has arrived from the start, one sent moving has not.
#include "engine/core/Types.h"

#include <functional>
#include <string>

class SumTheNumbersBoard {
public:
    // Returns a number in [0, n) for n >= 1 (randomBelow in the game).
    using Random = std::function<int(int n)>;
    static constexpr int TileCount = 5;
    static constexpr int FirstTileId = 44;
    // Tile k's home place.
    static const Point Homes[TileCount];
    // The places in the order the start shuffle takes them.
    static const Point StartPlaces[TileCount];

    struct Click {
        enum Kind { Ignored, Selected, Swap };
        Kind kind = Ignored;
        // Selected: the tile; Swap: the tile selected before, then the one
        // clicked (the same tile when it was clicked twice).
        int first = -1;
        int second = -1;
    };

    // Every tile at home.
    SumTheNumbersBoard();

    // The start places shuffled (for k = 1 ... 4, places k and random(k + 1)
    // exchange); tile k takes place k. The selection is cleared.
    void shuffle(const Random& random);
    // The tile index (0 ... 4) of a tile id, or -1.
    static int tileIndex(int tileId);

    // A click on the tile with that id: selects it, or exchanges the places
    // of the selected tile and this one (clearing the selection). Ids of no
    // tile are ignored.
    Click click(int tileId);
    // Tile k's movement ended: whether it stands home now. True when the
    // glow is to start: every tile has arrived and it has not started yet.
    bool arrive(int k);

    Point place(int k) const { return places[k]; }
    bool hasArrived(int k) const { return arrived[k]; }
    int getSelected() const { return selected; }
    bool isGlowStarted() const { return glowStarted; }
    // Whether the places are a permutation of the homes.
    bool isPermutation() const;

    // "places=2,0,1,3,4 selected=-1 glow=0" (each tile's place as an index
    // into Homes; glow=1 once the glow started).
    std::string describe() const;

private:
    Point places[TileCount];
    bool arrived[TileCount];
    int selected = -1;
    bool glowStarted = false;
};
