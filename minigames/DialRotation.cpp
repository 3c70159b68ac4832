#include "minigames/DialRotation.h"

#include <cmath>

namespace {
constexpr double RadToDeg = 180.0 / 3.14159265358979323846;
}

float DialRotation::pointerAngle(int x, int y, int left, int top, int w, int h)
{
    const double dx = x - w / 2 - left;
    const double dy = y - h / 2 - top;
    return static_cast<float>(std::atan2(dy, dx) * RadToDeg);
}

float DialRotation::offsetFromTarget(float angle, float target)
{
    // A wheel can stand several turns away from [0, 360) after its spin: one
    // fold by 360 would leave d outside the half turn and miss the snap.
    float d = std::fmod(angle - target, 360.f);
    if (d > 180.f)
        d -= 360.f;
    else if (d < -180.f)
        d += 360.f;
    return d;
}

bool DialRotation::press(float pointer)
{
    if (!active)
        return false;
    dragging = true;
    lastPointerAngle = pointer;
    return true;
}

void DialRotation::move(float pointer)
{
    if (!dragging || !active)
        return;
    float step = pointer - lastPointerAngle;
    if (std::fabs(step) > 180.f)
        step -= step > 0.f ? 360.f : -360.f;
    if (step > 0.f && directionMode == DecreasingOnly)
        return;
    angle += step * rotationFactor;
    if (angle < 0.f)
        angle += 360.f;
    else if (angle >= 360.f)
        angle -= 360.f;
    lastPointerAngle = pointer;
}

bool DialRotation::release()
{
    dragging = false;
    if (!active)
        return false;
    const float d = offsetFromTarget(angle, targetAngle);
    if (-angleTolerance < d && d < angleTolerance) {
        angle = targetAngle;
        active = false;
        return true;
    }
    return false;
}
