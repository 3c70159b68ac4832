// Frame benchmark: what the engine costs over plain OpenGL.
//
// Draws N textured, alpha-blended quads per frame for M frames, twice in the
// same process and window:
//  1. engine: a screen of ImageWidgets on the application's stack, one pass
//     of the real main loop per frame (events, update, render, swap; the
//     loop's 10 ms wait is switched off);
//  2. bare:   a hand-written immediate-mode loop drawing the same textures at
//     the same places with the same blending, then the swap.
// Both wait for the GPU (glFinish) after each frame. The modes alternate for
// several rounds and the best round of each counts. It prints both per-frame
// costs, their ratio (target <= 1.15), whether the two frames are identical,
// and the C++ heap allocations per engine frame in steady state, counted by
// the global operator new of tools/AllocationCounter.
//
// Usage (needs a display; scripts/with-xvfb.sh provides one):
//   frame_bench [quads=200] [frames=300] [rounds=5]
// Run it alone: llvmpipe uses every core, parallel GL work skews the numbers.
#include "engine/app/SDLGameApp.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/WidgetManager.h"
#include "tools/AllocationCounter.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kTextureCount = 8;
constexpr int kTextureSide = 128;
constexpr int kWarmUpFrames = 20;

struct Quad {
    GLTexture* texture;
    int x, y;
};

// The application: a window, nothing else.
class BenchApp : public SDLGameApp {
public:
    void initApp() override { opened = openWindow(kWidth, kHeight, 32, false); }
    bool opened = false;
};

// The engine side: one ImageWidget per quad, in drawing order.
class BenchScreen : public ScreenBase {
public:
    explicit BenchScreen(const std::vector<Quad>& quads) : ScreenBase("FrameBench"), quads(quads) {}
    void loadResources() override {}
    void build() override
    {
        // Increasing z keeps the widgets in the order of the bare loop.
        int z = getWidgetManager()->highestZ() + 1;
        for (const Quad& q : quads) {
            ImageWidget* widget = new ImageWidget(q.texture, q.x, q.y);
            WidgetGeometry g = widget->getGeometry();
            g.z = z++;
            widget->setGeometry(g);
            addWidget(widget);
        }
    }

private:
    std::vector<Quad> quads;
};

// A soft disc in a colour of its own: alpha falls from 255 in the middle to
// 0 at the rim, so blending matters on every pixel.
GLTexture* makeTexture(int index)
{
    SDLSurfaceImage* image = new SDLSurfaceImage(kTextureSide, kTextureSide);
    const uint8_t r = static_cast<uint8_t>(60 + 25 * index);
    const uint8_t g = static_cast<uint8_t>(230 - 20 * index);
    const uint8_t b = static_cast<uint8_t>(90 + 17 * index);
    const float half = kTextureSide / 2.f;
    for (int y = 0; y < kTextureSide; ++y)
        for (int x = 0; x < kTextureSide; ++x) {
            const float dx = (x + 0.5f - half) / half, dy = (y + 0.5f - half) / half;
            const float d = std::min(1.f, dx * dx + dy * dy);
            image->setPixel(x, y, Color(r, g, b, static_cast<uint8_t>(255.f * (1.f - d))));
        }
    return new GLTexture(image);
}

// Made before any frame is measured, so reading a frame allocates nothing.
std::vector<uint8_t>& pixelBuffer()
{
    static std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
    return pixels;
}

uint64_t backBufferChecksum()
{
    std::vector<uint8_t>& pixels = pixelBuffer();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    uint64_t sum = 1469598103934665603ull;  // FNV-1a
    for (uint8_t v : pixels)
        sum = (sum ^ v) * 1099511628211ull;
    return sum;
}

// Takes the checksum of the last engine frame before its swap.
class ChecksumApp : public BenchApp {
public:
    void onPostRender(Graphics&) override
    {
        if (wantChecksum) {
            checksum = backBufferChecksum();
            wantChecksum = false;
        }
    }
    bool wantChecksum = false;
    uint64_t checksum = 0;
};

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct EngineRun {
    double msPerFrame;
    uint64_t allocations;  // in the measured frames
};

EngineRun runEngine(ChecksumApp& app, int frames, bool takeChecksum)
{
    for (int i = 0; i < kWarmUpFrames; ++i) {
        app.runFrame();
        glFinish();
    }
    const uint64_t allocationsBefore = heapAllocations();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        app.wantChecksum = takeChecksum && i == frames - 1;
        app.runFrame();
        glFinish();
    }
    const double ms = millisecondsSince(start);
    const uint64_t allocations = heapAllocations() - allocationsBefore;
    return EngineRun{ms / frames, allocations};
}

// The same picture as the engine's, with nothing but GL calls.
void drawBare(const std::vector<Quad>& quads)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glColor4ub(255, 255, 255, 255);
    for (const Quad& q : quads) {
        const float u = static_cast<float>(q.texture->getWidth()) / static_cast<float>(q.texture->getTextureWidth());
        const float v =
            static_cast<float>(q.texture->getHeight()) / static_cast<float>(q.texture->getTextureHeight());
        const float x1 = static_cast<float>(q.x), y1 = static_cast<float>(q.y);
        const float x2 = x1 + static_cast<float>(q.texture->getWidth());
        const float y2 = y1 + static_cast<float>(q.texture->getHeight());
        glBindTexture(GL_TEXTURE_2D, q.texture->getGLName());
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(u, 0.f);
        glVertex3f(x2, y1, 0.f);
        glTexCoord2f(0.f, 0.f);
        glVertex3f(x1, y1, 0.f);
        glTexCoord2f(u, v);
        glVertex3f(x2, y2, 0.f);
        glTexCoord2f(0.f, v);
        glVertex3f(x1, y2, 0.f);
        glEnd();
    }
}

double runBare(const std::vector<Quad>& quads, int frames, bool takeChecksum, uint64_t& checksum)
{
    // The bare loop's own state, set once: 2-D projection, blending.
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kWidth, kHeight, 0.0, -1000.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);

    SDL_Event event;
    for (int i = 0; i < kWarmUpFrames; ++i) {
        while (SDL_PollEvent(&event)) {
        }
        drawBare(quads);
        SDL_GL_SwapBuffers();
        glFinish();
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        while (SDL_PollEvent(&event)) {
        }
        drawBare(quads);
        if (takeChecksum && i == frames - 1)
            checksum = backBufferChecksum();
        SDL_GL_SwapBuffers();
        glFinish();
    }
    return millisecondsSince(start) / frames;
}

int argument(int argc, char** argv, int index, int fallback)
{
    if (argc <= index)
        return fallback;
    const int value = std::atoi(argv[index]);
    return value > 0 ? value : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    const int quadCount = argument(argc, argv, 1, 200);
    const int frames = argument(argc, argv, 2, 300);
    const int rounds = argument(argc, argv, 3, 5);

    ChecksumApp app;
    app.initApp();
    if (!app.opened) {
        std::fprintf(stderr, "frame_bench: no window (is there a display?)\n");
        return 1;
    }
    app.setFrameDelay([](uint32_t) {});
    pixelBuffer();

    std::vector<GLTexture*> textures;
    for (int i = 0; i < kTextureCount; ++i) {
        GLTexture* texture = makeTexture(i);
        app.getResources()->registerTexture("BENCH_" + std::to_string(i), texture);
        textures.push_back(texture);
    }
    std::vector<Quad> quads;
    uint32_t seed = 12345;
    for (int i = 0; i < quadCount; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int x = static_cast<int>((seed >> 8) % (kWidth - kTextureSide));
        seed = seed * 1664525u + 1013904223u;
        const int y = static_cast<int>((seed >> 8) % (kHeight - kTextureSide));
        quads.push_back(Quad{textures[static_cast<size_t>(i % kTextureCount)], x, y});
    }
    const uint64_t beforeBuild = heapAllocations();
    app.showScreen(new BenchScreen(quads));
    // Proves the counter sees the engine's allocations: building the screen
    // makes at least one object per widget.
    const uint64_t buildAllocations = heapAllocations() - beforeBuild;
    app.beginLoop();

    double bestEngine = 1e30, bestBare = 1e30;
    uint64_t allocations = 0;
    uint64_t bareChecksum = 0;
    for (int round = 0; round < rounds; ++round) {
        const bool last = round == rounds - 1;
        const EngineRun engine = runEngine(app, frames, last);
        const double bare = runBare(quads, frames, last, bareChecksum);
        // The engine sets its whole state again in the next frame's render.
        bestEngine = std::min(bestEngine, engine.msPerFrame);
        bestBare = std::min(bestBare, bare);
        allocations += engine.allocations;
        std::printf("round %d: engine %.3f ms/frame, bare %.3f ms/frame, %llu allocations\n", round + 1,
                    engine.msPerFrame, bare, static_cast<unsigned long long>(engine.allocations));
    }

    std::printf("quads %d (%dx%d, %d textures, alpha-blended), frames %d x %d rounds, window %dx%d\n", quadCount,
                kTextureSide, kTextureSide, kTextureCount, frames, rounds, kWidth, kHeight);
    std::printf("engine: %.3f ms/frame\n", bestEngine);
    std::printf("bare:   %.3f ms/frame\n", bestBare);
    std::printf("ratio engine/bare: %.3f (target <= 1.15)\n", bestEngine / bestBare);
    std::printf("heap allocations per engine frame (steady state): %.4f, %llu in %d frames (building the screen "
                "made %llu)\n",
                static_cast<double>(allocations) / (static_cast<double>(frames) * rounds),
                static_cast<unsigned long long>(allocations), frames * rounds,
                static_cast<unsigned long long>(buildAllocations));
    std::printf("frames identical: %s\n", app.checksum == bareChecksum ? "yes" : "NO");

    app.endLoop();
    return 0;
}
