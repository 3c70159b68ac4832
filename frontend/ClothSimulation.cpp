#include "frontend/ClothSimulation.h"

#include "engine/gfx/GLTexture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

void ClothSimulation::create(int w, int h, ClothSimulation* cloth, int rowCount, GLTexture* picture,
                             const Vec3& pull)
{
    if (!cloth)
        return;
    cloth->columns = Columns;
    cloth->rows = std::max(1, rowCount);
    cloth->width = w;
    cloth->height = h;
    cloth->texture = picture;
    cloth->gravity = pull;
    cloth->wind = Vec3();

    const int cols = cloth->columns;
    const int rows = cloth->rows;
    float umax = 1.f, vmax = 1.f;
    if (picture && picture->getTextureWidth() > 0 && picture->getTextureHeight() > 0) {
        umax = static_cast<float>(picture->getWidth()) / picture->getTextureWidth();
        vmax = static_cast<float>(picture->getHeight()) / picture->getTextureHeight();
    }

    cloth->vertices.assign(static_cast<size_t>((rows + 1) * (cols + 1)), ClothVertex());
    cloth->particles.assign(cloth->vertices.size(), ClothParticle());
    for (int i = 0; i <= rows; ++i) {
        for (int j = 0; j <= cols; ++j) {
            const int index = i * (cols + 1) + j;
            ClothVertex& v = cloth->vertices[index];
            v.x = static_cast<float>(w) * j / cols;
            v.y = static_cast<float>(h) * i / rows;
            v.z = j == 0 ? 0.f : 0.5f * i / (rows + 1);
            v.u = umax * j / cols;
            v.v = vmax * i / rows;
            ClothParticle& p = cloth->particles[index];
            p.vertex = index;
            p.pinned = j == 0 ? 1 : 0;
        }
    }

    cloth->springs.clear();
    cloth->springs.reserve(static_cast<size_t>((rows + 1) * cols + (cols + 1) * rows));
    const float across = static_cast<float>(w) / cols;
    const float down = static_cast<float>(h) / rows;
    for (int i = 0; i <= rows; ++i)
        for (int j = 0; j < cols; ++j)
            cloth->springs.push_back({i * (cols + 1) + j, i * (cols + 1) + j + 1, across, Stiffness});
    for (int j = 0; j <= cols; ++j)
        for (int i = 0; i < rows; ++i)
            cloth->springs.push_back({i * (cols + 1) + j, (i + 1) * (cols + 1) + j, down, Stiffness});
}

void ClothSimulation::update(ClothSimulation* cloth, int ms)
{
    if (!cloth)
        return;
    const float dt = static_cast<float>(ms) * 0.001f / 15.f;
    std::vector<ClothVertex>& verts = cloth->vertices;
    std::vector<ClothParticle>& parts = cloth->particles;
    for (int step = 0; step < SubSteps; ++step) {
        for (const ClothSpring& s : cloth->springs) {
            ClothParticle& a = parts[s.a];
            ClothParticle& b = parts[s.b];
            const ClothVertex& va = verts[a.vertex];
            const ClothVertex& vb = verts[b.vertex];
            const float dx = vb.x - va.x;
            const float dy = vb.y - va.y;
            const float dz = vb.z - va.z;
            const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
            if (length < MinSpringLength)
                continue;
            const float k = (length - s.restLength) * s.stiffness / length;
            a.fx += dx * k;
            a.fy += dy * k;
            a.fz += dz * k;
            b.fx -= dx * k;
            b.fy -= dy * k;
            b.fz -= dz * k;
        }
        for (ClothParticle& p : parts) {
            if (p.pinned)
                continue;
            p.fx += cloth->gravity.x + cloth->wind.x - p.vx * Damping;
            p.fy += cloth->gravity.y + cloth->wind.y - p.vy * Damping;
            p.fz += cloth->gravity.z + cloth->wind.z - p.vz * Damping;
            p.vx += p.fx * dt / Mass;
            p.vy += p.fy * dt / Mass;
            p.vz += p.fz * dt / Mass;
            ClothVertex& v = verts[p.vertex];
            v.x += p.vx * dt;
            v.y += p.vy * dt;
            v.z += p.vz * dt;
            p.fx = p.fy = p.fz = 0.f;
        }
    }
}

void ClothSimulation::render(const ClothSimulation* cloth)
{
    if (!cloth || cloth->vertices.empty())
        return;
    glColor4f(1.f, 1.f, 1.f, 1.f);
    if (cloth->texture) {
        glEnable(GL_TEXTURE_2D);
        cloth->texture->bind();
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    const int cols = cloth->columns;
    for (int i = 0; i < cloth->rows; ++i) {
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= cols; ++j) {
            for (int r = i; r <= i + 1; ++r) {
                const ClothVertex& v = cloth->vertices[r * (cols + 1) + j];
                glTexCoord2f(v.u, v.v);
                glVertex3f(v.x, v.y, v.z);
            }
        }
        glEnd();
    }
}

void freeClothSimulation(ClothSimulation* cloth)
{
    delete cloth;
}
