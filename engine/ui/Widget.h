#pragma once
// Anything drawn on a screen and able to receive input: buttons, labels,
// images, animations, item renderers, dialogs. A widget belongs to the screen
// it was added to (ScreenBase::addWidget); the screen's WidgetManager only
// refers to it while it is managed.
//
// Drawing and hit tests are in screen pixels; draw() and drawLate() run with
// the origin translated to the widget's top-left corner. Every hook does
// nothing unless a subclass overrides it.
#include "engine/core/Types.h"
#include <cstdint>

class Graphics;
class ScreenBase;
class WidgetManager;
struct KeyEvent;
struct MouseEvent;

class Widget {
public:
    Widget() = default;
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // Added to a manager / removed from it.
    virtual void onAttached();
    virtual void onDetached();
    virtual void update(int dt, ScreenBase* screen);
    virtual void draw(Graphics& g, ScreenBase* screen);
    // Second drawing pass; only in frames in which the widget asked for it
    // with WidgetManager::requestLateDraw during its draw().
    virtual void drawLate(Graphics& g, ScreenBase* screen);
    // The event records belong to the manager and live for the call only.
    virtual void onMousePress(MouseEvent* event);
    virtual void onMouseMove(MouseEvent* event);
    virtual void onMouseRelease(MouseEvent* event);
    // Only the focused widget gets keys.
    virtual void onKey(KeyEvent* event);
    virtual void onMouseLeave();
    virtual void onMouseEnter();
    // After setEnabled(true) / setEnabled(false). Their default bodies call
    // enable() / disable(), the same hooks under their other names, so a
    // subclass may override either pair.
    virtual void onEnabled();
    virtual void onDisabled();
    virtual void enable();
    virtual void disable();
    // Old and new geometry, after the change.
    virtual void onGeometryChanged(const WidgetGeometry* oldGeometry, const WidgetGeometry* newGeometry);
    virtual void onMoved(const WidgetGeometry* oldGeometry, const WidgetGeometry* newGeometry);
    virtual void onResized(const WidgetGeometry* oldGeometry, const WidgetGeometry* newGeometry);
    // True when x lies in [x, x + w) and y in [y, y + h).
    virtual bool hitTest(int x, int y);
    virtual void onFocusGained();
    virtual void onFocusLost();

    // All five values; then onGeometryChanged. A managed widget keeps its
    // place in the manager's order until it is raised or another is added.
    void setGeometry(const WidgetGeometry& g);
    // x, y, w, h (z kept); then onResized, onGeometryChanged.
    void setBounds(int x, int y, int w, int h);
    // w, h; then onResized, onGeometryChanged.
    void setSize(int w, int h);
    // x, y; unless silent, then onMoved, onGeometryChanged.
    void setPosition(int x, int y, bool silent = false);
    // Stores the flag, lets the manager refresh the hover, then onEnabled()
    // or onDisabled(). Only enabled widgets are found under the pointer.
    void setEnabled(bool on);
    // Only visible widgets are drawn (both passes).
    void setVisible(bool on) { visible = on ? 1 : 0; }

    bool isEnabled() const { return enabled != 0; }
    bool isVisible() const { return visible != 0; }
    const WidgetGeometry& getGeometry() const { return geometry; }
    // The manager while managed, else null.
    WidgetManager* getManager() const { return manager; }

protected:
    // The manager sets `manager` when it attaches and detaches the widget.
    friend class WidgetManager;

    WidgetGeometry geometry;
    uint8_t enabled = 1;
    WidgetManager* manager = nullptr;  // not owned
    uint8_t visible = 1;
};
