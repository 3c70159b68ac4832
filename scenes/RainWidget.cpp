#include "scenes/RainWidget.h"

#include "engine/core/AppContext.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

const int LayerCount = 3;
// Tilt of each layer relative to the middle one, degrees.
const float LayerTilt[LayerCount] = {0.f, 3.f, -3.f};
const float MinSize = 0.2f;
// Drops lie at this depth, within every 2-D projection.
const float DropZ = 2.f;

} // namespace

RainWidget::RainWidget()
{
    AppContext* app = appContext();
    const int w = app ? app->getWidth() : 1024;
    const int h = app ? app->getHeight() : 768;
    area = WidgetGeometry(-128, (h - w) / 2 - 128, 0, w + 256, w + 256);
    left = static_cast<float>(area.x);
    top = static_cast<float>(area.y);
    right = static_cast<float>(area.x + area.w);
    bottom = static_cast<float>(area.y + area.h);
    setEnabled(false);
}

RainWidget::~RainWidget() = default;

void RainWidget::setup(const std::string& texturePath, int density, ResourceManager* resources, uint32_t packed,
                       float tilt)
{
    auto picture = std::make_unique<GLTexture>(texturePath);
    texture = picture.get();
    if (resources)
        resources->addTexture(picture.release());
    else
        ownTexture = std::move(picture);

    colour = Color(packed & 0xff, (packed >> 8) & 0xff, (packed >> 16) & 0xff, (packed >> 24) & 0xff);
    alphaMax = colour.a;
    alphaMin = alphaMax * 10 / 100;
    alphaRange = static_cast<float>(alphaMax - alphaMin) / 1.3f;
    angle = tilt;
    density = std::clamp(density, 0, 100);
    spawnCost = 3.f - static_cast<float>(density) / 100.f * 2.9f;

    // The most drops alive at once: those spawned while the slowest crosses
    // the area. Reserved now, so that the rain allocates nothing once it runs.
    const size_t most = static_cast<size_t>(static_cast<float>(area.h) / (0.6f * spawnCost)) + 64;
    drops.reserve(most);
    doomed.reserve(most);
    vertexArray.resize(most * 4 * 3);
    texArray.resize(most * 4 * 2);
    colourArray.resize(most * 4 * 4);

    const float pw = static_cast<float>(texture->getWidth());
    const float ph = static_cast<float>(texture->getHeight());
    // The picture's part of the widened texture.
    const float umax = texture->getTextureWidth() > 0 ? pw / texture->getTextureWidth() : 1.f;
    const float vmax = texture->getTextureHeight() > 0 ? ph / texture->getTextureHeight() : 1.f;
    const float corners[8] = {0.f, 0.f, pw, 0.f, pw, ph, 0.f, ph};
    const float uv[8] = {0.f, 0.f, umax, 0.f, umax, vmax, 0.f, vmax};
    std::copy(corners, corners + 8, quad);
    std::copy(uv, uv + 8, quadTex);
}

int RainWidget::dropAlpha(float size) const
{
    const float a = static_cast<float>(alphaMin) + (size - MinSize) * alphaRange;
    return std::clamp(static_cast<int>(a), 0, 255);
}

void RainWidget::spawnDrop()
{
    RainDrop drop;
    drop.x = static_cast<float>(randomBelow(area.w) + area.x);
    drop.y = static_cast<float>(area.y);
    drop.size = static_cast<float>(randomBelow(100)) / 100.f * 1.3f + MinSize;
    drop.layer = randomBelow(LayerCount);
    drops.push_back(drop);
}

void RainWidget::update(int dt, ScreenBase*)
{
    if (!texture)
        return;
    const float s = static_cast<float>(std::min(dt, MaxFrameMs)) * SpawnPerMs;
    spawnCredit += s;
    while (spawnCredit > 0.f) {
        spawnDrop();
        spawnCredit -= spawnCost;
    }

    doomed.clear();
    for (size_t i = 0; i < drops.size(); ++i) {
        RainDrop& d = drops[i];
        const float v = (d.size - MinSize) * speedFactor + 0.6f;
        d.y += v * s;
        if (d.y > bottom || d.x < left || d.x > right || d.y < top)
            doomed.push_back(static_cast<int32_t>(i));
    }
    if (doomed.empty())
        return;
    // One pass that keeps the order of the others (the doomed indices ascend).
    size_t next = 0;
    size_t kept = 0;
    for (size_t i = 0; i < drops.size(); ++i) {
        if (next < doomed.size() && static_cast<size_t>(doomed[next]) == i) {
            ++next;
            continue;
        }
        drops[kept++] = drops[i];
    }
    drops.resize(kept);
    doomed.clear();
}

int RainWidget::fillLayer(int layer)
{
    int count = 0;
    for (const RainDrop& d : drops) {
        if (d.layer != layer)
            continue;
        const size_t need = static_cast<size_t>(count + 1) * 4;
        if (vertexArray.size() < need * 3) {
            // Grows only while the rain thickens; afterwards the arrays are reused.
            const size_t grow = std::max(need * 2, static_cast<size_t>(1024));
            vertexArray.resize(grow * 3);
            texArray.resize(grow * 2);
            colourArray.resize(grow * 4);
        }
        const uint8_t a = static_cast<uint8_t>(dropAlpha(d.size));
        for (int c = 0; c < 4; ++c) {
            const size_t v = static_cast<size_t>(count) * 4 + static_cast<size_t>(c);
            vertexArray[v * 3 + 0] = d.x + quad[c * 2];
            vertexArray[v * 3 + 1] = d.y + quad[c * 2 + 1] * d.size;
            vertexArray[v * 3 + 2] = DropZ;
            texArray[v * 2 + 0] = quadTex[c * 2];
            texArray[v * 2 + 1] = quadTex[c * 2 + 1];
            colourArray[v * 4 + 0] = colour.r;
            colourArray[v * 4 + 1] = colour.g;
            colourArray[v * 4 + 2] = colour.b;
            colourArray[v * 4 + 3] = a;
        }
        ++count;
    }
    return count;
}

void RainWidget::draw(Graphics& g, ScreenBase*)
{
    if (!texture || drops.empty())
        return;
    AppContext* app = appContext();
    const float cx = (app ? app->getWidth() : 1024) * 0.5f;
    const float cy = (app ? app->getHeight() : 768) * 0.5f;

    glEnable(GL_TEXTURE_2D);
    texture->bind();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    for (int layer = 0; layer < LayerCount; ++layer) {
        const int count = fillLayer(layer);
        if (count == 0)
            continue;
        // Each layer turns about the window's centre.
        g.pushTransform();
        g.translate(cx, cy);
        g.rotate(angle + LayerTilt[layer], 0.f, 0.f, 1.f);
        g.translate(-cx, -cy);
        glVertexPointer(3, GL_FLOAT, 0, vertexArray.data());
        glTexCoordPointer(2, GL_FLOAT, 0, texArray.data());
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colourArray.data());
        glDrawArrays(GL_QUADS, 0, count * 4);
        g.popTransform();
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
