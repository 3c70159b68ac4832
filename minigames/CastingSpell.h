#pragma once
// One spell of the casting-spells game as a shape to trace: its curve
// forwards and backwards, both resampled, so a stroke drawn from either end
// counts. A stroke matches when its distance to the nearer of the two is
// below the threshold.
#include "minigames/StrokeCurve.h"

#include <vector>

class CastingSpell {
public:
    static constexpr float DefaultThreshold = 3000.f;

    // The curve's points in drawing order.
    explicit CastingSpell(const std::vector<Point>& curve);

    // The smaller distance of the stroke (resampled) to either direction.
    float distance(const StrokeCurve& stroke) const;
    bool matches(const StrokeCurve& stroke) const { return distance(stroke) < threshold; }

    const StrokeCurve& getForward() const { return forward; }
    const StrokeCurve& getReversed() const { return reversedCurve; }

    float threshold = DefaultThreshold;

private:
    StrokeCurve forward;
    StrokeCurve reversedCurve;
};
