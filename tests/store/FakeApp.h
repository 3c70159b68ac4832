#pragma once
// A stand-in application for the store tests: a settable window width and a
// cursor slot that owns what it is handed. Installs itself as the AppContext
// for its lifetime.
#include "engine/core/AppContext.h"
#include "engine/gfx/GLTexture.h"

#include <memory>

class FakeApp : public AppContext {
public:
    explicit FakeApp(int windowWidth = 1024) : width(windowWidth) { setAppContext(this); }
    ~FakeApp() override { setAppContext(nullptr); }
    FakeApp(const FakeApp&) = delete;
    FakeApp& operator=(const FakeApp&) = delete;

    int getWidth() const override { return width; }
    int getHeight() const override { return 768; }
    GameClock* getClock() override { return nullptr; }
    Point getMousePos() override { return Point(); }
    ResourceManager* getResources() override { return nullptr; }
    void closeScreen(ScreenBase*) override {}
    void pushScreen(ScreenBase*) override {}
    void setCursorImage(GLTexture* texture) override
    {
        cursor.reset(texture);
        ++cursorCalls;
    }

    int width;
    std::unique_ptr<GLTexture> cursor;
    int cursorCalls = 0;
};
