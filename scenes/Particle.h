#pragma once
// One particle of a ParticleEmmiter, and the settings record handed to
// ParticleEmmiter::emit (of which only lifetime, vx, vy, ax and ay are read).
// Velocities are pixels per update and their change per update.
#include "engine/core/Types.h"

#include <cstdint>

struct Particle {
    int32_t age = 0;       // ms
    int32_t lifetime = 0;  // ms
    int32_t alpha = 255;
    Color colour = Color::white();
    float x = 0, y = 0;
    float vx = 0, vy = 0;
    float ax = 0, ay = 0;
    float scale = 1.0f;
};
