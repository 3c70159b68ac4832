#pragma once
// The pure state of the necklace puzzle (MgMatchElements): each piece's
// home on the chain, which pieces are placed, and the rules of picking,
// dragging and dropping. No widgets, no window: the screen keeps one and
// moves its piece widgets after it.
//
// Rules:
//  - a press takes the unplaced piece with the highest index among those
//    under the pointer (the last one added), whatever the drawing order;
//  - a dragged piece keeps at least KeepOnScreen pixels of itself on the
//    screen along each axis;
//  - a dropped piece fits when its top-left corner lies strictly closer to
//    its home than the sensitivity, and, in a set of at least eight pieces,
//    it is not the eighth piece (index 7) while the fourth (index 3) is
//    still unplaced: the clasp goes on last. Smaller sets have no such
//    order.
#include "engine/core/Types.h"

#include <functional>
#include <vector>

class MatchElementsBoard {
public:
    // Pixels of a dragged piece that stay on the screen.
    static constexpr int KeepOnScreen = 50;
    // The piece that waits for another, and the one it waits for.
    static constexpr int GatedPiece = 7;
    static constexpr int GatePiece = 3;

    MatchElementsBoard() = default;
    // One piece per home, none placed. A negative sensitivity counts as 0
    // (nothing ever fits).
    MatchElementsBoard(std::vector<Point> homes, int sensitivity);

    int size() const { return static_cast<int>(homes.size()); }
    int getSensitivity() const { return sensitivity; }
    // The home of piece i; (0, 0) outside the set.
    Point home(int i) const;
    bool isPlaced(int i) const;
    // Every piece placed; false for an empty set, which can never be solved.
    bool allPlaced() const;

    // The unplaced piece with the highest index for which `hit` holds, or -1.
    int pick(const std::function<bool(int piece)>& hit) const;
    // Whether piece i dropped with its corner at (x, y) fits (see above).
    bool fits(int i, int x, int y) const;
    // Drops piece i at (x, y): when it fits it becomes placed. Returns
    // whether it did. A placed piece or an index outside the set does
    // nothing.
    bool drop(int i, int x, int y);

    // One coordinate of a dragged piece of extent `size` kept on a screen of
    // extent `screen`: a piece that would show less than KeepOnScreen pixels
    // at the low edge stops at KeepOnScreen - size; none goes beyond
    // screen - KeepOnScreen.
    static int keepOnScreen(int value, int size, int screen);

private:
    std::vector<Point> homes;
    std::vector<bool> placed;
    int sensitivity = 0;
};
