#pragma once
// One polyline of a MyLightningWidget's bolt: its points in growth order,
// its line width, its growing tip and the range its direction may wander in.
// The main branch has depth 0; side branches (depth 1) grow at most
// `remaining` pixels.
#include "engine/core/Types.h"

#include <cstdint>
#include <vector>

struct LightningBranch {
    std::vector<PointF> points;
    int32_t width = 1;
    // Degrees; x to the right, y downwards (90 points straight down).
    float angle = 0.f;
    float minAngle = 0.f;
    float maxAngle = 0.f;
    float x = 0.f;
    float y = 0.f;
    int32_t depth = 0;
    float remaining = 1000.f;
};
