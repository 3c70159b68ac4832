#include "tools/BenchFrames.h"

#include "engine/app/SDLGameApp.h"
#include "engine/ui/ScreenBase.h"
#include "tests/driver/HeadlessDriver.h"
#include "tools/AllocationCounter.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace BenchFrames {

double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void drawScreens(SDLGameApp& app, RecordingGraphics& g)
{
    g.resetTransform();
    g.clear();
    for (ScreenBase* screen : app.getScreens())
        screen->draw(g);
    glFinish();
}

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
        drawScreens(app, g);
        c.render += msSince(t0);
    }
    c.allocations = heapAllocations() - before;
    c.update /= frames, c.render /= frames;
    return c;
}

ReplayCosts compareWithReplay(SDLGameApp& app, RecordingGraphics& g, int frames, int rounds)
{
    g.ops.clear();
    g.arrays.clear();
    RecordingGraphics::active = &g;
    g.recording = true;
    drawScreens(app, g);
    g.recording = false;
    RecordingGraphics::active = nullptr;
    const std::vector<RecordingGraphics::DrawOp> ops = g.ops;
    const std::vector<float> arrays = g.arrays;
    ReplayCosts out;
    out.calls = ops.size();
    out.render = out.replay = std::numeric_limits<double>::max();
    const int perRound = std::max(1, frames / std::max(1, rounds));
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < perRound; ++i)
            drawScreens(app, g);
        out.render = std::min(out.render, msSince(t0) / perRound);
        t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < perRound; ++i)
            RecordingGraphics::replay(ops, arrays);
        out.replay = std::min(out.replay, msSince(t0) / perRound);
    }
    return out;
}

} // namespace BenchFrames
