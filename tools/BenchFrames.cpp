#include "tools/BenchFrames.h"

#include "engine/app/SDLGameApp.h"
#include "engine/ui/ScreenBase.h"
#include "tests/driver/HeadlessDriver.h"
#include "tools/AllocationCounter.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace BenchFrames {

namespace {

double median(std::vector<double>& v)
{
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

} // namespace

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
    placeAllocations(true);
    const uint64_t before = heapAllocations();
    const uint64_t driverBefore = driverHeapAllocations();
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
    c.driverAllocations = driverHeapAllocations() - driverBefore;
    placeAllocations(false);
    c.update /= frames, c.render /= frames;
    return c;
}

ReplayCosts compareWithReplay(SDLGameApp& app, RecordingGraphics& g, int frames)
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
    // The two sides alternate frame by frame, so that a change in the
    // machine's load reaches both alike; each figure is the median frame.
    const int samples = std::max(1, frames * 2);
    std::vector<double> render, replay;
    render.reserve(samples), replay.reserve(samples);
    for (int i = 0; i < samples; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        drawScreens(app, g);
        render.push_back(msSince(t0));
        t0 = std::chrono::steady_clock::now();
        RecordingGraphics::replay(ops, arrays);
        replay.push_back(msSince(t0));
    }
    out.render = median(render);
    out.replay = median(replay);
    return out;
}

} // namespace BenchFrames
