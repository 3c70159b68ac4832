#pragma once
// The widgets of one screen in depth order. It draws them in two passes,
// finds the widget under the pointer and turns the application's mouse and
// key records into enter, leave, press, move, release, key and focus calls,
// including the capture of a widget while a button is held.
//
// The list is kept sorted by z, highest (nearest) first; among equal z the
// widget added first comes first, so it is hit first and drawn last. The
// manager never deletes a widget: the screen owns them.
//
// Removals set a "list changed" flag. It stops a running update pass, ends
// the mouse dispatch in which it happened, and makes further mouse events
// be dropped until the next update. Hover, capture and focus never point at
// a removed widget.
//
// Two things leave the pointer on a widget that has not heard its enter: a
// release over another widget than the one that took it (the end of a drag:
// the widget under the pointer becomes the hovered one without an enter
// call), and the removal of the widget that had the pointer (also when its
// hover had already been cleared). The widget under the pointer then hears
// the enter before the next press or move reaches it (and no leave before
// that enter); otherwise a button resting under the pointer would not count
// its next click as one.
#include "engine/core/Types.h"
#include "engine/ui/InputListener.h"
#include <cstdint>
#include <vector>

class Graphics;
class ScreenBase;
class Widget;

class WidgetManager : public InputListener {
public:
    explicit WidgetManager(ScreenBase* screen);
    WidgetManager(const WidgetManager&) = delete;
    WidgetManager& operator=(const WidgetManager&) = delete;

    // A widget with z below 1 gets highestZ() + 1 (through setGeometry); then
    // it is placed in order, attached, and gets the pointer if it lies under
    // it. Null and widgets already managed are ignored.
    void addWidget(Widget* widget);
    // Takes the widget off (focus, hover and capture included) without
    // deleting it and sets the list-changed flag; null only sets the flag.
    // A widget that is not managed here is left alone.
    void removeWidget(Widget* widget);
    // A managed widget gets z = highestZ() + 1 and its new place in the order;
    // then it gets the pointer if it lies under it.
    void raiseWidget(Widget* widget);
    // The largest z; 0 when there is none above 0.
    int highestZ() const;
    // The nearest enabled widget whose hitTest accepts the point, or null.
    Widget* widgetAt(int x, int y) const;
    // Whether widgetAt the application's mouse position is this widget.
    bool isWidgetUnderMouse(const Widget* widget) const;
    bool contains(const Widget* widget) const;

    // Updates the widgets from lowest z to highest. Widgets added during the
    // pass wait for the next one. Stops at the first removal, clears the
    // hover and returns false; returns true when every widget was updated.
    // False as well for a null screen.
    bool update(int dt, ScreenBase* screen);
    // First pass over the visible widgets from lowest z to highest, then the
    // late-draw requests of this frame by layer (equal layers in request
    // order).
    void draw(Graphics& g, ScreenBase* screen);
    // Asks for the widget's drawLate() in this frame's second pass; only
    // during draw(). Requests of invisible widgets are dropped.
    void requestLateDraw(Widget* widget, int layer);

    // Keys go to the focused widget only.
    void onKey(KeyEvent* event) override;
    // Press, release and move records; wheel records reach no widget.
    void onMouse(MouseEvent event) override;

    // Focus follows presses; a widget not managed here (or null) clears it.
    void setFocus(Widget* widget);
    Widget* getFocus() const { return focused; }
    // After a widget was added, raised or enabled: when it is the widget
    // under the application's mouse position (and, with requireEnabled,
    // enabled), it becomes the hovered widget (the previous one is left and a
    // captured one released).
    void refreshHover(Widget* widget, bool requireEnabled);
    // While off, mouse records are ignored.
    void setInputEnabled(bool on) { inputEnabled = on ? 1 : 0; }
    bool isInputEnabled() const { return inputEnabled != 0; }

    Widget* getHovered() const { return hovered; }
    void clearHovered() { hovered = nullptr; }
    Widget* getDraggedOut() const { return draggedOut; }
    // Set by every removal; cleared at the start of update().
    void markListChanged() { listChanged = 1; }
    bool hasListChanged() const { return listChanged != 0; }
    const std::vector<Widget*>& getWidgets() const { return widgets; }
    int getXOffset() const { return xOffset; }

private:
    struct LateDraw {
        Widget* widget;
        int32_t layer;
    };

    void sortWidgets();

    // Subtracted from the pointer's x before hit testing.
    int32_t xOffset = 0;
    // Highest z first; not owned.
    std::vector<Widget*> widgets;
    std::vector<LateDraw> lateDraws;
    // Reused by update() so that a pass does not allocate.
    std::vector<Widget*> updateOrder;
    // Widget that last got enter, press or capture; not owned.
    Widget* hovered = nullptr;
    // Captured widget the pointer left while a button is held; not owned.
    Widget* draggedOut = nullptr;
    Widget* focused = nullptr;
    uint8_t listChanged = 0;
    // The widget under the pointer has not heard its enter (see above).
    uint8_t enterOwed = 0;
    // The widget that last had the pointer: the hovered one, still known
    // after the hover was cleared without telling it (clearHovered, a
    // removal during update). Not owned; never a removed widget.
    Widget* pointed = nullptr;
    ScreenBase* screen;  // the owner; not owned
    uint8_t inputEnabled = 1;
};
