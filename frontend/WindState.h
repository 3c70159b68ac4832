#pragma once
// The gusting wind of the main menu's banners: a vector of fixed length
// whose two angles (yaw and pitch, degrees) take a random step every frame
// and bounce between the lower and upper bound.
#include "engine/core/Types.h"

struct WindState {
    float magnitude = 3.f;
    float yaw = -45.f;
    float pitch = -45.f;
    float upperBound = 90.f;
    float lowerBound = -90.f;
    float yawDirection = 1.f;
    float pitchDirection = 1.f;

    // One frame's step, whatever its length: each angle moves by
    // randomBelow(100) x 0.01 x 150 degrees in its direction; an angle past a
    // bound is put on it and its direction turns.
    void step();
    // x = cos(yaw) x magnitude, y = sin(pitch) x magnitude,
    // z = sin(yaw) x magnitude.
    Vec3 vector() const;
};
