#pragma once
// Frame measurements shared by the benchmarks that play the game through the
// test driver: frames of update and render with injected time, and one
// frame's draw list against its bare replay (tools/RecordingGraphics.h).
// Every drawn frame ends with glFinish.
#include "tools/RecordingGraphics.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

class HeadlessDriver;
class SDLGameApp;

namespace BenchFrames {

constexpr int FrameMs = 16;

struct Costs {
    double update = 0, render = 0;  // ms per frame
    uint64_t allocations = 0;       // C++ heap allocations, all frames
    uint64_t driverAllocations = 0; // those the GL driver made for itself
};

struct ReplayCosts {
    size_t calls = 0;           // drawing calls in the draw list
    double render = 0;          // ms per frame of the same frame through the renderer
    double replay = 0;          // ms per frame of its draw list in the bare loop
    double ratio() const { return replay > 0 ? render / replay : 0.0; }
};

double msSince(std::chrono::steady_clock::time_point t0);

// Draws every screen of the application, bottom first, through `g`.
void drawScreens(SDLGameApp& app, RecordingGraphics& g);

// `frames` frames: time advanced by FrameMs, update, draw.
Costs measure(SDLGameApp& app, HeadlessDriver& driver, RecordingGraphics& g, int frames);

// Records the draw list of the next drawn frame (no update), then draws that
// frame through the renderer and replays the list, alternately, 2 x `frames`
// times each; each figure is the median frame, so that a busy machine hurts
// both sides alike.
ReplayCosts compareWithReplay(SDLGameApp& app, RecordingGraphics& g, int frames);

} // namespace BenchFrames
