#include "minigames/LabyrinthMask.h"

#include <cmath>
#include <utility>

LabyrinthMask::LabyrinthMask(int w, int h, std::vector<uint8_t> values, Point corner, int radius, int limit)
    : width(w > 0 ? w : 0)
    , height(h > 0 ? h : 0)
    , alpha(std::move(values))
    , origin(corner)
    , range(radius)
    , threshold(limit)
{
    alpha.resize(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

int LabyrinthMask::alphaAt(int x, int y) const
{
    const int mx = x - origin.x;
    const int my = y - origin.y;
    if (mx < 0 || my < 0 || mx >= width || my >= height)
        return -1;
    return alpha[static_cast<size_t>(my) * static_cast<size_t>(width) + static_cast<size_t>(mx)];
}

int LabyrinthMask::discSize() const
{
    int count = 0;
    for (int i = -range; i <= range; ++i)
        for (int j = -range; j <= range; ++j)
            count += i * i + j * j <= range * range ? 1 : 0;
    return count;
}

bool LabyrinthMask::isBlocked(int x, int y) const
{
    int sum = 0;
    int count = 0;
    for (int i = -range; i <= range; ++i) {
        for (int j = -range; j <= range; ++j) {
            if (i * i + j * j > range * range)
                continue;
            ++count;
            const int a = alphaAt(x + i, y + j);
            if (a > 0)
                sum += a;
        }
    }
    if (count == 0)
        count = 1;
    return sum / count <= threshold;
}

Point LabyrinthMask::walkTowards(Point start, Point target) const
{
    const float tx = static_cast<float>(target.x - start.x);
    const float ty = static_cast<float>(target.y - start.y);
    const float d = std::sqrt(tx * tx + ty * ty);
    // No way to go: also no direction to divide by.
    if (d == 0.f || isBlocked(start.x, start.y))
        return start;
    const float s = d <= 1.f ? d : 1.f;
    const float n = d / s;
    const float dx = s * tx / d;
    const float dy = s * ty / d;
    float px = static_cast<float>(start.x);
    float py = static_cast<float>(start.y);
    float goodX = px;
    float goodY = py;
    for (float c = 0.f; c < n + 1.f; c += 1.f) {
        goodX = px;
        goodY = py;
        px += dx;
        py += dy;
        if (isBlocked(static_cast<int>(px), static_cast<int>(py)))
            break;
    }
    return Point(static_cast<int>(goodX), static_cast<int>(goodY));
}

bool LabyrinthMask::reachesGoal(Point point, Point goal, int tolerance)
{
    const long long dx = point.x - goal.x;
    const long long dy = point.y - goal.y;
    return dx * dx + dy * dy < static_cast<long long>(tolerance) * tolerance;
}
