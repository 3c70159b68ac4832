#pragma once
// How far a cypher wheel is decoded, without widgets: the solution's angles
// in order and the index of the piece the wheel must be turned to next.
// The wheel's target is the current piece's angle; a reveal advances to the
// next piece, and past the last one the puzzle is solved. A reset (a wrong
// release of the secret niche's wheel) starts again at the first piece.
#include <vector>

class CypherSolution {
public:
    CypherSolution() = default;
    explicit CypherSolution(std::vector<float> angles);

    int size() const { return static_cast<int>(angles.size()); }
    int index() const { return current; }
    // A piece is left to decode.
    bool hasCurrent() const { return current < size(); }
    // Every piece is decoded (never true for an empty solution: it cannot
    // be solved, only skipped).
    bool isComplete() const { return !angles.empty() && current >= size(); }
    // The current piece's angle; past the end or for an empty solution, 0.
    float targetAngle() const;
    // The current piece is decoded: moves on. Returns whether that was the
    // last one. Nothing happens when none is left.
    bool advance();
    void reset() { current = 0; }

private:
    std::vector<float> angles;
    int current = 0;
};
