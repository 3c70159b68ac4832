#pragma once
// The rules of the triangle count game, without widgets: the count (0 ...
// MaxCount) that the two knobs change, which knob is locked, the check
// against the solution, and where the count's digit pictures go.
//
// The left knob adds one, the right knob takes one away, each when its turn
// ends (turned). The right knob is locked at 0 and the left one at MaxCount.
// A right check locks both knobs for good and solves the game; a check after
// that, and a turn that ends after it, change nothing.
#include <string>

class TriangleCounter {
public:
    static constexpr int MaxCount = 99;
    static constexpr int DefaultSolution = 99;
    enum Knob { LeftKnob = 0, RightKnob = 1 };
    enum Check { NoCheck, RightCount, WrongCount };

    // Where the digits of a count stand: the tens picture (none below 10)
    // at tensX, the units picture right after it, both with their tops at y.
    struct DigitPlaces {
        int tens = -1;
        int units = 0;
        int tensX = 0;
        int unitsX = 0;
        int y = 0;
    };
    // The count's digits are centred on (CentreX, CentreY).
    static constexpr int CentreX = 500;
    static constexpr int CentreY = 612;

    explicit TriangleCounter(int solution = DefaultSolution);

    bool isLocked(int knob) const { return knob == LeftKnob ? leftLocked : rightLocked; }
    // A knob's turn ended: the count moves and the locks follow it.
    void turned(int knob);
    // The check button was pressed.
    Check check();

    int getCount() const { return count; }
    int getSolution() const { return solution; }
    bool isSolved() const { return solved; }

    // The digits of `count` for pictures of the widths and heights given
    // (per digit 0 ... 9): the total width centred on CentreX, the units
    // picture's height centred on CentreY (integer halves).
    static DigitPlaces digitPlaces(int count, const int widths[10], const int heights[10]);
    // An angle brought into 0 ... 360 degrees by one turn either way.
    static float normaliseAngle(float degrees);

    // "count=3 solution=5 locked=00 solved=0" (locked: left, right).
    std::string describe() const;

private:
    int count = 0;
    int solution;
    bool leftLocked = false;
    bool rightLocked = true;
    bool solved = false;
};
