#pragma once
// The perspective camera of a ScreenBase3D: where it stands, where it looks,
// which way is up, and its projection.
#include "engine/core/Types.h"

struct CameraSetup {
    Vec3 eye{0.f, 0.f, 0.f};
    Vec3 center{0.f, 0.f, 1.f};
    Vec3 up{0.f, 1.f, 0.f};
    // Vertical field of view in degrees.
    float fieldOfView = 60.f;
    float nearPlane = 0.001f;
    float farPlane = 1000.f;
};
