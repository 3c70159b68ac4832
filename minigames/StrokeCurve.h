#pragma once
// A drawn stroke or a stored spell shape, compared by the direction of
// travel along it: the points in drawing order are resampled into
// SampleCount directions at evenly spaced arc-length positions, so a
// comparison ignores size, position and speed but not orientation.
//
// distance(s, c) = stepFactor x sum over the samples of d^2, d being the
// difference of the two directions brought into -180..180 degrees: 0 for the
// same shape, 8100 for one turned by 90 degrees.
#include "engine/core/Types.h"

#include <array>
#include <vector>

class StrokeCurve {
public:
    static constexpr int SampleCount = 200;
    // One two-hundredth: the sample spacing as a fraction of the length,
    // and the scale of the distance.
    static constexpr float StepFactor = 0.005f;

    StrokeCurve() = default;
    explicit StrokeCurve(std::vector<Point> points);

    // Appends a point; the directions must then be computed again.
    void addPoint(int x, int y);
    void clear();
    // The same points in reverse order (not resampled).
    StrokeCurve reversed() const;

    // Computes the directions. False, leaving them invalid, for fewer than
    // two points or a stroke of zero length (all its points coincide):
    // such a stroke has no direction to compare.
    bool resample();
    bool isResampled() const { return resampled; }

    // The distance to `other`; both must be resampled, else a value above
    // any threshold (the largest float) is returned.
    float distance(const StrokeCurve& other) const;

    const std::vector<Point>& getPoints() const { return points; }
    // Degrees in -180..180; meaningful once resampled.
    const std::array<float, SampleCount>& getDirections() const { return directions; }
    // The summed length of the segments.
    double length() const;

private:
    std::vector<Point> points;
    std::array<float, SampleCount> directions{};
    bool resampled = false;
};
