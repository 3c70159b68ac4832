#include "minigames/StrokeCurve.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double Pi = 3.14159265358979323846;

double segmentLength(const Point& a, const Point& b)
{
    const long long dx = b.x - a.x;
    const long long dy = b.y - a.y;
    return std::sqrt(static_cast<double>(dx * dx + dy * dy));
}

float direction(const Point& a, const Point& b)
{
    return static_cast<float>(std::atan2(static_cast<double>(b.y - a.y), static_cast<double>(b.x - a.x)) * 180.0 / Pi);
}

} // namespace

StrokeCurve::StrokeCurve(std::vector<Point> shape)
    : points(std::move(shape))
{
}

void StrokeCurve::addPoint(int x, int y)
{
    points.emplace_back(x, y);
    resampled = false;
}

void StrokeCurve::clear()
{
    points.clear();
    resampled = false;
}

StrokeCurve StrokeCurve::reversed() const
{
    return StrokeCurve(std::vector<Point>(points.rbegin(), points.rend()));
}

double StrokeCurve::length() const
{
    double total = 0.0;
    for (size_t k = 1; k < points.size(); ++k)
        total += segmentLength(points[k - 1], points[k]);
    return total;
}

bool StrokeCurve::resample()
{
    if (resampled)
        return true;
    const size_t n = points.size();
    if (n < 2)
        return false;
    // ends[k]: the arc length at the end of segment k (points k, k + 1).
    std::vector<double> ends(n - 1);
    double total = 0.0;
    for (size_t k = 0; k + 1 < n; ++k) {
        total += segmentLength(points[k], points[k + 1]);
        ends[k] = total;
    }
    if (total <= 0.0)
        return false;
    const float step = StepFactor * static_cast<float>(total);
    size_t segment = 0;
    float current = direction(points[0], points[1]);
    float t = 0.f;
    for (int i = 0; i < SampleCount; ++i) {
        // A position on a joint belongs to the later segment; zero-length
        // segments are passed over.
        while (ends[segment] <= t && segment + 1 < ends.size()) {
            ++segment;
            current = direction(points[segment], points[segment + 1]);
        }
        directions[static_cast<size_t>(i)] = current;
        t += step;
    }
    resampled = true;
    return true;
}

float StrokeCurve::distance(const StrokeCurve& other) const
{
    if (!resampled || !other.resampled)
        return std::numeric_limits<float>::max();
    float sum = 0.f;
    for (size_t i = 0; i < directions.size(); ++i) {
        float d = directions[i] - other.directions[i];
        if (d > 180.f)
            d -= 360.f;
        else if (d < -180.f)
            d += 360.f;
        sum += d * d;
    }
    return StepFactor * sum;
}
