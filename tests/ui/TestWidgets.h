#pragma once
// Widgets and a screen that write what happens to them into a shared log,
// one "name event" line per call.
#include "engine/ui/InputEvents.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/Widget.h"
#include "engine/ui/WidgetManager.h"
#include <functional>
#include <string>
#include <vector>

using CallLog = std::vector<std::string>;

class LogWidget : public Widget {
public:
    LogWidget(std::string widgetName, CallLog* callLog, int x, int y, int z, int w, int h, bool* deletedFlag = nullptr)
        : name(std::move(widgetName)), log(callLog), deleted(deletedFlag)
    {
        geometry = WidgetGeometry(x, y, z, w, h);
    }
    ~LogWidget() override
    {
        if (deleted)
            *deleted = true;
    }

    void update(int, ScreenBase* screen) override
    {
        add("update");
        if (onUpdate)
            onUpdate(screen);
    }
    void draw(Graphics&, ScreenBase*) override
    {
        add("draw");
        if (onDraw)
            onDraw();
    }
    void drawLate(Graphics&, ScreenBase*) override { add("drawLate"); }
    void onMousePress(MouseEvent*) override
    {
        add("press");
        if (onPress)
            onPress();
    }
    void onMouseMove(MouseEvent*) override { add("move"); }
    void onMouseRelease(MouseEvent* e) override
    {
        add("release");
        if (onRelease)
            onRelease(e);
    }
    void onKey(KeyEvent* e) override { add("key " + std::to_string(e->key)); }
    void onMouseLeave() override { add("leave"); }
    void onMouseEnter() override { add("enter"); }
    void enable() override { add("enable"); }
    void disable() override { add("disable"); }
    void onFocusGained() override { add("focus"); }
    void onFocusLost() override { add("blur"); }
    void onAttached() override { add("attached"); }
    void onDetached() override { add("detached"); }

    void add(const std::string& what)
    {
        if (log)
            log->push_back(name + " " + what);
    }

    std::string name;
    CallLog* log;
    bool* deleted;
    std::function<void(ScreenBase*)> onUpdate;
    std::function<void()> onDraw;
    std::function<void()> onPress;
    std::function<void(MouseEvent*)> onRelease;
};

class TestScreen : public ScreenBase {
public:
    explicit TestScreen(CallLog* callLog, std::string screenName = "S", bool* deletedFlag = nullptr)
        : ScreenBase(screenName), log(callLog), deleted(deletedFlag)
    {
    }
    ~TestScreen() override
    {
        if (deleted)
            *deleted = true;
    }

    void loadResources() override { add("loadResources"); }
    void build() override
    {
        add("build");
        if (onBuild)
            onBuild(this);
    }
    void onEntered() override { add("onEntered"); }
    void onClosed(int code) override
    {
        add("onClosed " + std::to_string(code));
        if (onClose)
            onClose(this);
    }
    void onUpdate(int) override { add("onUpdate"); }
    void drawBackground(Graphics&) override { add("drawBackground"); }
    void drawOverlay(Graphics&) override { add("drawOverlay"); }
    void deactivate(GameApp* app) override
    {
        add("deactivate");
        ScreenBase::deactivate(app);
    }
    void activate(GameApp* app) override
    {
        add("activate");
        ScreenBase::activate(app);
    }
    void onMousePressed(MouseEvent*) override { add("catcher press"); }
    void onMouseMoved(MouseEvent*) override { add("catcher move"); }
    void onMouseReleased(MouseEvent*) override { add("catcher release"); }

    void add(const std::string& what)
    {
        if (log)
            log->push_back(getName() + " " + what);
    }

    CallLog* log;
    bool* deleted;
    std::function<void(TestScreen*)> onBuild;
    std::function<void(TestScreen*)> onClose;
};

inline MouseEvent mouseAt(int type, int x, int y, int buttons = 0)
{
    MouseEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.buttons = buttons;
    return e;
}
