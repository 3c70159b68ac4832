#pragma once
// The rules of the image puzzle, without widgets: a grid of pieces (rows x
// columns, row-major, ids FirstPieceId + index), each with a home corner on
// the picture; one piece at a time is carried; a piece put down less than
// SnapDistance pixels from its home snaps there for good; the last snap
// solves the puzzle.
//
// Carrying: a press on a piece picks it up when nothing is carried and puts
// it down otherwise (whichever piece was pressed). Ids of no piece change
// nothing.
#include "engine/core/Types.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class ImagePuzzleBoard {
public:
    // Returns a number in [0, n) for n >= 1 (randomBelow in the game).
    using Random = std::function<int(int n)>;
    static constexpr int FirstPieceId = 2000;
    static constexpr float SnapDistance = 20.f;
    // Scattered pieces start with their corners in [0, ScatterWidth) x
    // [0, ScatterHeight).
    static constexpr int ScatterWidth = 804;
    static constexpr int ScatterHeight = 518;

    enum Press { Ignored, PickedUp, PutDown };

    ImagePuzzleBoard() = default;
    // Piece (r, c) has its home at origin + (c * step.x, r * step.y).
    // Negative counts give no pieces.
    ImagePuzzleBoard(int columns, int rows, Point origin, Point step);

    int count() const { return static_cast<int>(homes.size()); }
    int getColumns() const { return columns; }
    Point home(int index) const { return homes[static_cast<size_t>(index)]; }
    // The piece index of an id, or -1.
    int indexOf(int pieceId) const;
    // A corner for a scattered piece.
    static Point scatter(const Random& random);

    Press press(int pieceId);
    bool isCarrying() const { return carrying; }
    // Piece `index` was put down with its corner at `at`: true when it
    // snapped (it was loose and lay nearer than SnapDistance to its home).
    bool drop(int index, Point at);
    bool isPlaced(int index) const;
    int getPlacedCount() const { return placedCount; }
    bool isSolved() const { return !homes.empty() && placedCount == count(); }

    // The order in which to raise loose pieces, given as (piece, z): by z
    // from the lowest, so that they keep their order among themselves.
    static std::vector<int> raiseOrder(std::vector<std::pair<int, int>> loose);

    // "placed=3/12 carrying=0" (logs, the driver).
    std::string describe() const;

private:
    int columns = 0;
    std::vector<Point> homes;
    std::vector<bool> placed;
    int placedCount = 0;
    bool carrying = false;
};
