#include "minigames/ShootingRange.h"

#include <cmath>

const Point ShootingRange::TargetCentre(500, 368);

namespace {

// The dot's travel maps onto 512 pixels; these corners make the middle of
// both bars land on the target's centre.
constexpr int Spread = 512;
const Point NearCorner(236, 98);
const Point Offset(264, 270);

} // namespace

ShootingRange::Press ShootingRange::press()
{
    if (finished)
        return Ignored;
    switch (phase) {
    case 0:
        ++shots;
        phase = 1;
        return StartAiming;
    case 1:
        phase = 2;
        return StopHorizontal;
    case 2:
        phase = 3;
        busy = true;
        return Shoot;
    default:
        if (busy)
            return Ignored;
        if (shots >= ShotCount) {
            finished = true;
            return Finished;
        }
        phase = 0;
        return NextShot;
    }
}

Point ShootingRange::marker(int dotX, int dotY, int a)
{
    if (a <= 0)
        return TargetCentre;
    const float travel = static_cast<float>(a);
    const int c = static_cast<int>(static_cast<float>(dotX * -Spread) / travel);
    const int b = static_cast<int>(static_cast<float>(dotY * -Spread) / travel);
    const int dx = c + Offset.x;
    const int dy = b + Offset.y;
    const float distance = std::sqrt(static_cast<float>(dx * dx + dy * dy));
    if (distance <= static_cast<float>(TargetRadius))
        return Point(NearCorner.x - c, NearCorner.y - b);
    const float k = static_cast<float>(TargetRadius) / distance;
    return Point(static_cast<int>(static_cast<float>(TargetCentre.x) - static_cast<float>(dx) * k),
                 static_cast<int>(static_cast<float>(TargetCentre.y) - static_cast<float>(dy) * k));
}

std::string ShootingRange::describe() const
{
    return "phase=" + std::to_string(phase) + " shots=" + std::to_string(shots) + " busy=" + (busy ? "1" : "0") +
           " finished=" + (finished ? "1" : "0");
}
