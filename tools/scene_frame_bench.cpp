// Scene frame benchmark: what a busy hidden-object scene costs per frame.
//
// Plays the game's showcase scene (the second scene: every item renderer,
// fireflies, a flickering light, a particle flame; rain where the rain
// widget is part of the tree) through the game driver with injected time,
// charges the vision spell from its runes and casts it, then measures:
//  1. while the spell's fire ball flies: update and render ms per frame;
//  2. steady state, no spell flying: update and render ms per frame and the
//     C++ heap allocations per frame (counted by the benchmarks' allocation counter);
//  3. one steady frame's draw list (tools/RecordingGraphics.h), recorded
//     once and replayed in a bare OpenGL loop: render ms of the replay and
//     the ratio render / replay (target <= 1.15).
// Every measured frame ends with glFinish.
//
// Usage, from the repository root under a display:
//   scripts/with-xvfb.sh build/tools/scene_frame_bench [frames=300]
// Run it alone: llvmpipe uses every core, parallel GL work skews the numbers.
#include "engine/app/SDLGameApp.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/HeadlessDriver.h"
#include "tools/BenchFrames.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using BenchFrames::Costs;
using BenchFrames::measure;

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
            const BenchFrames::ReplayCosts same = BenchFrames::compareWithReplay(app, g, frames);
            std::printf("draw list: %zu calls; render %.3f ms, bare replay %.3f ms, ratio %.3f (target <= 1.15)\n",
                        same.calls, same.render, same.replay, same.ratio());
        }
    }
    std::filesystem::remove_all(pattern);
    return status;
}
