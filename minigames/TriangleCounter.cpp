#include "minigames/TriangleCounter.h"

TriangleCounter::TriangleCounter(int answer)
    : solution(answer)
{
}

void TriangleCounter::turned(int knob)
{
    if (solved)
        return;
    if (knob == LeftKnob) {
        ++count;
        if (count == 1)
            rightLocked = false;
        if (count == MaxCount)
            leftLocked = true;
    } else if (knob == RightKnob) {
        --count;
        if (count == 0)
            rightLocked = true;
        if (count == MaxCount - 1)
            leftLocked = false;
    }
}

TriangleCounter::Check TriangleCounter::check()
{
    if (solved)
        return NoCheck;
    if (count != solution)
        return WrongCount;
    solved = true;
    leftLocked = rightLocked = true;
    return RightCount;
}

TriangleCounter::DigitPlaces TriangleCounter::digitPlaces(int count, const int widths[10], const int heights[10])
{
    DigitPlaces p;
    p.units = count % 10;
    int total = widths[p.units];
    if (count >= 10) {
        p.tens = count / 10 % 10;
        total += widths[p.tens];
    }
    p.tensX = CentreX - total / 2;
    p.unitsX = p.tens < 0 ? p.tensX : p.tensX + widths[p.tens];
    p.y = CentreY - heights[p.units] / 2;
    return p;
}

float TriangleCounter::normaliseAngle(float degrees)
{
    if (degrees < 0.f)
        return degrees + 360.f;
    if (degrees > 360.f)
        return degrees - 360.f;
    return degrees;
}

std::string TriangleCounter::describe() const
{
    return "count=" + std::to_string(count) + " solution=" + std::to_string(solution) + " locked=" +
           (leftLocked ? "1" : "0") + (rightLocked ? "1" : "0") + " solved=" + (solved ? "1" : "0");
}
