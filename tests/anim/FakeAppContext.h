#pragma once
// A stand-in for the running application in tests without a window: a fixed
// window size, a game clock on a stepped tick source and a settable mouse
// position. It has no screen stack (see tests/ui/FakeScreenStack.h).
// Installs itself for its lifetime.
#include "engine/core/AppContext.h"
#include "engine/core/GameClock.h"
#include <cstdint>

class FakeAppContext : public AppContext {
public:
    FakeAppContext()
    {
        ticks = 1000;
        setTickSource([] { return ticks; });
        clock.reset();
        setAppContext(this);
    }
    ~FakeAppContext() override
    {
        setAppContext(nullptr);
        setTickSource(TickSource());
    }
    FakeAppContext(const FakeAppContext&) = delete;
    FakeAppContext& operator=(const FakeAppContext&) = delete;

    // Moves the raw timer (and so the game clock, unless paused) forward.
    static void advance(uint64_t ms) { ticks += ms; }

    int getWidth() const override { return 1024; }
    int getHeight() const override { return 768; }
    GameClock* getClock() override { return &clock; }
    Point getMousePos() override { return mouse; }
    ResourceManager* getResources() override { return nullptr; }
    void closeScreen(ScreenBase*) override {}
    void pushScreen(ScreenBase*) override {}
    void setCursorImage(GLTexture*) override {}

    GameClock clock;
    Point mouse{-1, -1};

    static inline uint64_t ticks = 0;
};
