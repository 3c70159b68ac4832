#include "minigames/CastingSpell.h"

#include <algorithm>

CastingSpell::CastingSpell(const std::vector<Point>& curve)
    : forward(curve)
    , reversedCurve(forward.reversed())
{
    forward.resample();
    reversedCurve.resample();
}

float CastingSpell::distance(const StrokeCurve& stroke) const
{
    return std::min(stroke.distance(forward), stroke.distance(reversedCurve));
}
