#pragma once
// A small mass-spring cloth: a grid of 30 columns by `rows` rows of cells,
// its particles joined by structural springs (along the rows and the
// columns), pinned along column 0, pulled by gravity and the owner's wind,
// integrated in 10 semi-implicit Euler sub-steps per frame and drawn as
// textured quad strips in the current GL state (a 3-D pass).
//
// A plain record with free operations: the owner makes one, calls create
// once, then update every frame, render in its 3-D pass, and writes `wind`
// between updates. Arrays are allocated by create only; update and render
// allocate nothing. Neither reports anything.
//
// ClothVertex, ClothParticle and ClothSpring are its parts: a particle's
// position is its vertex's (same index), a spring joins two particles by
// index.
#include "engine/core/Types.h"

#include <cstdint>
#include <vector>

class GLTexture;

struct ClothVertex {
    float x = 0.f, y = 0.f, z = 0.f;
    float u = 0.f, v = 0.f;
    Color colour = Color::white();
};

struct ClothParticle {
    // Index of its vertex (the particle's position).
    int32_t vertex = 0;
    float vx = 0.f, vy = 0.f, vz = 0.f;
    float fx = 0.f, fy = 0.f, fz = 0.f;
    uint8_t pinned = 0;
};

struct ClothSpring {
    int32_t a = 0;
    int32_t b = 0;
    float restLength = 0.f;
    float stiffness = 400.f;
};

struct ClothSimulation {
    static constexpr int Columns = 30;
    static constexpr int SubSteps = 10;
    static constexpr float Mass = 0.02f;
    static constexpr float Damping = 0.03f;
    static constexpr float Stiffness = 400.f;
    // A spring shorter than this has no direction: it pulls nothing.
    static constexpr float MinSpringLength = 1e-6f;

    // Fills `cloth` (allocated by the caller): `width` by `height` world
    // units, `rows` rows (at least 1), the texture drawn over the whole grid
    // (not owned, may be null: drawn untextured), constant `gravity`, no
    // wind. Vertices row-major from row 0; the free columns start slightly
    // slanted in depth (0.5 x row / (rows + 1)).
    static void create(int width, int height, ClothSimulation* cloth, int rows, GLTexture* texture,
                       const Vec3& gravity);
    // Advances the cloth by one frame of `ms` milliseconds (0 moves nothing).
    static void update(ClothSimulation* cloth, int ms);
    // One quad strip per row, texture coordinates and positions only.
    static void render(const ClothSimulation* cloth);

    // (rows + 1) x (columns + 1)
    int vertexCount() const { return static_cast<int>(vertices.size()); }
    const ClothVertex& vertexAt(int row, int column) const { return vertices[row * (columns + 1) + column]; }

    int columns = Columns;
    int rows = 0;
    int width = 0;
    int height = 0;
    GLTexture* texture = nullptr;  // not owned
    Vec3 gravity;
    Vec3 wind;
    std::vector<ClothVertex> vertices;
    std::vector<ClothParticle> particles;
    std::vector<ClothSpring> springs;
};

// Deletes a cloth made with new (null is ignored).
void freeClothSimulation(ClothSimulation* cloth);
