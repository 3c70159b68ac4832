#include "frontend/WindState.h"

#include "engine/core/StringUtils.h"

#include <cmath>

namespace {

const float Pi = 3.1415927f;

void stepAngle(float& angle, float& direction, float lower, float upper)
{
    const float k = static_cast<float>(randomBelow(100));
    angle += k * direction * 0.01f * 150.f;
    if (angle > upper) {
        angle = upper;
        direction = -1.f;
    } else if (angle < lower) {
        angle = lower;
        direction = 1.f;
    }
}

} // namespace

void WindState::step()
{
    stepAngle(yaw, yawDirection, lowerBound, upperBound);
    stepAngle(pitch, pitchDirection, lowerBound, upperBound);
}

Vec3 WindState::vector() const
{
    const float a = yaw * Pi / 180.f;
    const float b = pitch * Pi / 180.f;
    return Vec3(std::cos(a) * magnitude, std::sin(b) * magnitude, std::sin(a) * magnitude);
}
