// Main menu frame benchmark: the title screen with its storm (rain,
// lightning, wind) and its two cloth banners, run for a fixed number of
// frames of injected time (16 ms each, the game clock stepped with them).
// It prints, per frame: the screen's whole update, the part of it spent in
// the two cloth simulations (timed on their own over the same frames), the
// rest of the update (storm, wind, widgets) and the drawing (finished with
// glFinish); and the C++ heap allocations made by the updates once the rain
// has settled (targets: cloth and storm under 1 ms, no allocation per
// frame). A thunder strike grows a new bolt, so frames with a strike may
// allocate; their number is printed as well.
//
// Usage (from the repository root, content generated, under a display):
//   scripts/with-xvfb.sh build/tools/menu_bench [frames=600] [warm-up frames=400]
// Run it alone: llvmpipe uses every core, parallel GL work skews the numbers.
#include "engine/app/SDLGameApp.h"
#include "engine/core/GameClock.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/store/ConfigFile.h"
#include "frontend/ClothSimulation.h"
#include "frontend/MainMenu.h"
#include "frontend/WindState.h"
#include "game/ContentTables.h"
#include "game/PlayerProfiles.h"
#include "scenes/MyLightningWidget.h"
#include "scenes/RainWidget.h"
#include "tools/AllocationCounter.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFrameMs = 16;
uint64_t g_ticks = 1000;

class BenchApp : public SDLGameApp {
public:
    void initApp() override { opened = openWindow(kWidth, kHeight, 32, false); }
    bool opened = false;
};

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int argument(int argc, char** argv, int index, int fallback)
{
    const int value = argc > index ? std::atoi(argv[index]) : 0;
    return value > 0 ? value : fallback;
}

// The menu's banners again, for timing the cloth alone with the same wind.
struct Banners {
    ClothSimulation big;
    ClothSimulation small;
    WindState wind;
    Banners()
    {
        const Vec3 gravity(0.f, -0.5f, 0.f);
        ClothSimulation::create(60, 4, &big, 5, nullptr, gravity);
        ClothSimulation::create(30, 4, &small, 5, nullptr, gravity);
    }
    void step()
    {
        wind.step();
        const Vec3 v = wind.vector();
        ClothSimulation::update(&small, kFrameMs);
        small.wind = v;
        ClothSimulation::update(&big, kFrameMs);
        big.wind = v;
    }
};

} // namespace

int main(int argc, char** argv)
{
    const int frames = argument(argc, argv, 1, 600);
    const int warmUp = argument(argc, argv, 2, 400);
    setTickSource([] { return g_ticks; });

    BenchApp app;
    app.initApp();
    if (!app.opened) {
        std::fprintf(stderr, "menu_bench: no window (is there a display?)\n");
        return 1;
    }
    app.getClock()->reset();
    std::unique_ptr<ConfigFile> tuning;
    try {
        tuning = std::make_unique<ConfigFile>("content/config/GameParameters.cfg");
        setGameParameters(tuning.get());
    } catch (const ConfigFile::file_not_found&) {
        std::fprintf(stderr, "menu_bench: no content/config/GameParameters.cfg (run from the repository root "
                             "after scripts/gen-content.sh)\n");
        return 1;
    }
    // The application's fonts and music, as the game has them.
    registerGlobalResources(app.getResources());
    // A player, so that the menu does not open the profiles menu over itself.
    PlayerProfiles::instance()->addProfile("Bench", 0);
    PlayerProfiles::instance()->select(0);

    auto* menu = new MainMenu();
    app.showScreen(menu);
    GLGraphics g;
    g.init(kWidth, kHeight, 1000);
    Banners banners;

    const auto frame = [&](double* updateMs, double* drawMs) {
        g_ticks += kFrameMs;
        const auto u = Clock::now();
        menu->update(kFrameMs);
        if (updateMs)
            *updateMs += msSince(u);
        const auto d = Clock::now();
        g.setup2D(kWidth, kHeight, 1000);
        g.clear();
        menu->draw(g);
        glFinish();
        if (drawMs)
            *drawMs += msSince(d);
        SDL_GL_SwapBuffers();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
    };
    for (int i = 0; i < warmUp; ++i) {
        frame(nullptr, nullptr);
        banners.step();
    }

    double updateMs = 0.0, drawMs = 0.0, clothMs = 0.0, maxUpdateMs = 0.0;
    uint64_t allocations = 0;
    int allocatingFrames = 0, strikes = 0;
    bool wasStriking = menu->getLightning()->isStriking();
    for (int i = 0; i < frames; ++i) {
        const uint64_t before = heapAllocations();
        double one = 0.0;
        g_ticks += kFrameMs;
        const auto u = Clock::now();
        menu->update(kFrameMs);
        one = msSince(u);
        const uint64_t made = heapAllocations() - before;
        allocations += made;
        allocatingFrames += made ? 1 : 0;
        updateMs += one;
        maxUpdateMs = std::max(maxUpdateMs, one);
        const bool striking = menu->getLightning()->isStriking();
        strikes += striking && !wasStriking ? 1 : 0;
        wasStriking = striking;

        const auto d = Clock::now();
        g.setup2D(kWidth, kHeight, 1000);
        g.clear();
        menu->draw(g);
        glFinish();
        drawMs += msSince(d);
        SDL_GL_SwapBuffers();

        const auto c = Clock::now();
        banners.step();
        clothMs += msSince(c);
    }

    const double n = frames;
    std::printf("main menu, %d frames of %d ms after %d warm-up frames, window %dx%d, %zu rain drops\n", frames,
                kFrameMs, warmUp, kWidth, kHeight, menu->getRain()->getDrops().size());
    std::printf("update:        %.3f ms/frame (worst %.3f)\n", updateMs / n, maxUpdateMs);
    std::printf("  cloth:       %.3f ms/frame (both banners, timed alone)\n", clothMs / n);
    std::printf("  storm, rest: %.3f ms/frame\n", std::max(0.0, updateMs - clothMs) / n);
    std::printf("render:        %.3f ms/frame\n", drawMs / n);
    std::printf("heap allocations in the updates: %llu in %d frames (%d frames allocated; %d thunder strikes)\n",
                static_cast<unsigned long long>(allocations), frames, allocatingFrames, strikes);
    setGameParameters(nullptr);
    app.closeScreen(menu);
    PlayerProfiles::destroyInstance();
    return 0;
}
