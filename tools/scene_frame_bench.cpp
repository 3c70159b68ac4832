// Scene frame benchmark: what a busy hidden-object scene costs per frame.
//
// Plays the game's showcase scene (the second scene: every item renderer,
// fireflies, a flickering light, a particle flame; rain where the rain
// widget is part of the tree) through the game driver with injected time,
// charges the vision spell from its runes and casts it, then measures:
//  1. while the spell's fire ball flies: update and render ms per frame;
//  2. steady state, no spell flying: update and render ms per frame and the
//     C++ heap allocations per frame (counted by the benchmarks' allocation counter);
//  3. one steady frame's draw list (every textured quad, rectangle, line
//     and triangle drawn through the renderer, with its transform),
//     recorded once and replayed in a bare OpenGL loop: render ms of the
//     replay and the ratio render / replay (target <= 1.15).
// Drawing that bypasses the renderer (GL lines and vertex arrays of
// effect widgets) is not in the draw list. Every measured frame ends with
// glFinish.
//
// Usage, from the repository root under a display:
//   scripts/with-xvfb.sh build/tools/scene_frame_bench [frames=300]
// Run it alone: llvmpipe uses every core, parallel GL work skews the numbers.
#include "engine/app/SDLGameApp.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/ui/ScreenBase.h"
#include "quillendar/QuillendarApp.h"
#include "tools/AllocationCounter.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/HeadlessDriver.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int FrameMs = 16;

// One drawing call of the draw list, with the model-view matrix it ran in.
struct DrawOp {
    enum Kind { Quad, Rect, Line, Triangle } kind;
    float matrix[16];
    GLuint texture = 0;
    float x = 0, y = 0, w = 0, h = 0, z = 0;
    float u1 = 0, v1 = 0, u2 = 0, v2 = 0;
    float p[6] = {};
    float width = 1;
    Color colour;
};

// The game's renderer, noting every drawing call while `recording`.
class RecordingGraphics : public GLGraphics {
public:
    bool recording = false;
    std::vector<DrawOp> ops;

    void drawImageScaled(int x, int y, int w, int h, GLTexture* texture, const Rect& rect, Color c) override
    {
        if (recording && texture && texture->getTextureWidth() > 0) {
            DrawOp op = start(DrawOp::Quad, c);
            GLint bound = 0;
            texture->bind();
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
            op.texture = static_cast<GLuint>(bound);
            op.x = static_cast<float>(x), op.y = static_cast<float>(y);
            op.w = static_cast<float>(w), op.h = static_cast<float>(h);
            const float tw = static_cast<float>(texture->getTextureWidth());
            const float th = static_cast<float>(texture->getTextureHeight());
            op.u1 = rect.x1 / tw, op.u2 = rect.x2 / tw, op.v1 = rect.y1 / th, op.v2 = rect.y2 / th;
            ops.push_back(op);
        }
        GLGraphics::drawImageScaled(x, y, w, h, texture, rect, c);
    }
    void fillRect(int x, int y, int w, int h, Color c) override
    {
        if (recording) {
            DrawOp op = start(DrawOp::Rect, c);
            op.x = static_cast<float>(x), op.y = static_cast<float>(y);
            op.w = static_cast<float>(w), op.h = static_cast<float>(h);
            ops.push_back(op);
        }
        GLGraphics::fillRect(x, y, w, h, c);
    }
    void drawLine(PointF a, PointF b, float width, bool smooth, Color c) override
    {
        if (recording) {
            DrawOp op = start(DrawOp::Line, c);
            op.p[0] = a.x, op.p[1] = a.y, op.p[2] = b.x, op.p[3] = b.y;
            op.width = width;
            ops.push_back(op);
        }
        GLGraphics::drawLine(a, b, width, smooth, c);
    }
    void fillTriangle(PointF a, PointF b, PointF c3, Color c) override
    {
        if (recording) {
            DrawOp op = start(DrawOp::Triangle, c);
            op.p[0] = a.x, op.p[1] = a.y, op.p[2] = b.x, op.p[3] = b.y, op.p[4] = c3.x, op.p[5] = c3.y;
            ops.push_back(op);
        }
        GLGraphics::fillTriangle(a, b, c3, c);
    }

private:
    static DrawOp start(DrawOp::Kind kind, Color c)
    {
        DrawOp op{};
        op.kind = kind;
        op.colour = c;
        glGetFloatv(GL_MODELVIEW_MATRIX, op.matrix);
        return op;
    }
};

void replay(const std::vector<DrawOp>& ops)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const DrawOp& op : ops) {
        glLoadMatrixf(op.matrix);
        glColor4ub(op.colour.r, op.colour.g, op.colour.b, op.colour.a);
        switch (op.kind) {
        case DrawOp::Quad:
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, op.texture);
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(op.u2, op.v1), glVertex2f(op.x + op.w, op.y);
            glTexCoord2f(op.u1, op.v1), glVertex2f(op.x, op.y);
            glTexCoord2f(op.u2, op.v2), glVertex2f(op.x + op.w, op.y + op.h);
            glTexCoord2f(op.u1, op.v2), glVertex2f(op.x, op.y + op.h);
            glEnd();
            break;
        case DrawOp::Rect:
            glDisable(GL_TEXTURE_2D);
            glRectf(op.x, op.y, op.x + op.w, op.y + op.h);
            break;
        case DrawOp::Line:
            glDisable(GL_TEXTURE_2D);
            glLineWidth(op.width);
            glBegin(GL_LINES);
            glVertex2f(op.p[0], op.p[1]), glVertex2f(op.p[2], op.p[3]);
            glEnd();
            break;
        case DrawOp::Triangle:
            glDisable(GL_TEXTURE_2D);
            glBegin(GL_TRIANGLES);
            glVertex2f(op.p[0], op.p[1]), glVertex2f(op.p[2], op.p[3]), glVertex2f(op.p[4], op.p[5]);
            glEnd();
            break;
        }
    }
    glFinish();
}

double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

struct Costs {
    double update = 0, render = 0;
    uint64_t allocations = 0;
};

// `frames` frames of update and render through `g`.
Costs measure(SDLGameApp& app, HeadlessDriver& driver, RecordingGraphics& g, int frames)
{
    Costs c;
    const uint64_t before = heapAllocations();
    for (int i = 0; i < frames; ++i) {
        driver.advanceTime(FrameMs);
        auto t0 = std::chrono::steady_clock::now();
        app.updateFrame(FrameMs);
        c.update += msSince(t0);
        t0 = std::chrono::steady_clock::now();
        g.resetTransform();
        g.clear();
        for (ScreenBase* screen : app.getScreens())
            screen->draw(g);
        glFinish();
        c.render += msSince(t0);
    }
    c.allocations = heapAllocations() - before;
    c.update /= frames, c.render /= frames;
    return c;
}

const char* const Setup = R"(profile Bench 1
quest 3
flow 1
wait 1800
click-item 1 25
wait 1100
click-item 1 26
wait 1100
click-item 1 27
wait 1100
spell-button 2
wait 50
choose-target
wait 1650
)";

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    char pattern[] = "/tmp/quill-bench.XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("scene_frame_bench: mkdtemp");
        return 2;
    }
    ::setenv("APPDATA", pattern, 1);
    int status = 0;
    {
        HeadlessDriver driver;
        GameDriver game(driver);
        addGameDriverProbes(game);
        std::string error;
        if (!game.startGame(error) || !driver.runScript(Setup)) {
            std::fprintf(stderr, "scene_frame_bench: %s\n", error.empty() ? driver.lastError().c_str() : error.c_str());
            status = 2;
        } else {
            SDLGameApp& app = *game.app();
            RecordingGraphics g;
            // The vision spell's fire ball is in flight now (about 650 ms).
            const Costs flying = measure(app, driver, g, 30);
            std::printf("spell in flight (%s): update %.3f ms, render %.3f ms per frame\n",
                        game.stateValue("spell.fireballs").c_str(), flying.update, flying.render);
            measure(app, driver, g, 200);  // the hint ends; caches settle
            const Costs steady = measure(app, driver, g, frames);
            std::printf("steady, no spell (%d frames): update %.3f ms, render %.3f ms, %.2f allocations per frame\n",
                        frames, steady.update, steady.render,
                        static_cast<double>(steady.allocations) / static_cast<double>(frames));
            g.recording = true;
            measure(app, driver, g, 1);
            g.recording = false;
            const std::vector<DrawOp> ops = g.ops;
            const auto t0 = std::chrono::steady_clock::now();
            for (int i = 0; i < frames; ++i)
                replay(ops);
            const double bare = msSince(t0) / frames;
            // The same frame through the game's renderer, without updates.
            auto t1 = std::chrono::steady_clock::now();
            for (int i = 0; i < frames; ++i) {
                g.resetTransform();
                g.clear();
                for (ScreenBase* screen : app.getScreens())
                    screen->draw(g);
                glFinish();
            }
            const double render = msSince(t1) / frames;
            std::printf("draw list: %zu calls; render %.3f ms, bare replay %.3f ms, ratio %.3f (target <= 1.15)\n",
                        ops.size(), render, bare, bare > 0 ? render / bare : 0.0);
        }
    }
    std::filesystem::remove_all(pattern);
    return status;
}
