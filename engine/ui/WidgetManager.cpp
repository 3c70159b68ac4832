#include "engine/ui/WidgetManager.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/Graphics.h"
#include "engine/store/AppConfig.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/Widget.h"
#include <algorithm>
#include <cstdio>

WidgetManager::WidgetManager(ScreenBase* owner)
    : xOffset(AppConfig::getInstance().getCenteringOffset())
    , screen(owner)
{
}

bool WidgetManager::contains(const Widget* widget) const
{
    return widget && std::find(widgets.begin(), widgets.end(), widget) != widgets.end();
}

void WidgetManager::sortWidgets()
{
    // Stable: among equal z the earlier added stays in front.
    std::stable_sort(widgets.begin(), widgets.end(),
                     [](const Widget* a, const Widget* b) { return a->getGeometry().z > b->getGeometry().z; });
}

void WidgetManager::addWidget(Widget* widget)
{
    if (!widget || widget->manager)
        return;
    if (widget->getGeometry().z < 1) {
        WidgetGeometry g = widget->getGeometry();
        g.z = highestZ() + 1;
        widget->setGeometry(g);
    }
    widgets.push_back(widget);
    sortWidgets();
    widget->manager = this;
    widget->onAttached();
    std::printf("widgets manager adds NEW widget= %p, new size = %zu\n", static_cast<void*>(widget), widgets.size());
    refreshHover(widget, false);
}

void WidgetManager::removeWidget(Widget* widget)
{
    if (!widget) {
        listChanged = 1;
        return;
    }
    if (!contains(widget))
        return;
    if (focused == widget)
        setFocus(nullptr);
    widget->onDetached();
    widget->manager = nullptr;
    widgets.erase(std::find(widgets.begin(), widgets.end(), widget));
    listChanged = 1;
    // The pointer may still be on a widget below, which heard its leave when
    // this one took the pointer.
    if (hovered == widget || pointed == widget)
        enterOwed = 1;
    if (hovered == widget)
        hovered = nullptr;
    if (pointed == widget)
        pointed = nullptr;
    if (draggedOut == widget)
        draggedOut = nullptr;
    // A widget removed while drawing loses its late-draw requests too.
    lateDraws.erase(std::remove_if(lateDraws.begin(), lateDraws.end(),
                                   [widget](const LateDraw& d) { return d.widget == widget; }),
                    lateDraws.end());
    std::printf("widgets manager removes widget= %p, new size = %zu\n", static_cast<void*>(widget), widgets.size());
}

void WidgetManager::raiseWidget(Widget* widget)
{
    if (!contains(widget))
        return;
    WidgetGeometry g = widget->getGeometry();
    g.z = highestZ() + 1;
    widget->setGeometry(g);
    sortWidgets();
    refreshHover(widget, true);
}

int WidgetManager::highestZ() const
{
    int highest = 0;
    for (const Widget* w : widgets)
        highest = std::max(highest, static_cast<int>(w->getGeometry().z));
    return highest;
}

Widget* WidgetManager::widgetAt(int x, int y) const
{
    for (Widget* w : widgets) {
        if (w->isEnabled() && w->hitTest(x, y))
            return w;
    }
    return nullptr;
}

bool WidgetManager::isWidgetUnderMouse(const Widget* widget) const
{
    AppContext* app = appContext();
    if (!app || !widget)
        return false;
    const Point p = app->getMousePos();
    return widgetAt(p.x, p.y) == widget;
}

bool WidgetManager::update(int dt, ScreenBase* owner)
{
    if (!owner)
        return false;
    listChanged = 0;
    // Walk a copy of the order: an update may add widgets (re-sorting the
    // list); those wait for the next pass. A removal ends the pass before
    // anything touches the removed (possibly deleted) widget.
    updateOrder.assign(widgets.rbegin(), widgets.rend());
    for (std::size_t i = 0; i < updateOrder.size(); ++i) {
        updateOrder[i]->update(dt, owner);
        if (listChanged) {
            hovered = nullptr;
            updateOrder.clear();
            return false;
        }
    }
    updateOrder.clear();
    return true;
}

void WidgetManager::draw(Graphics& g, ScreenBase* owner)
{
    lateDraws.clear();
    // Lowest z first. Drawing must not add or remove widgets; the index walk
    // re-checks the size so that a misbehaving widget cannot run off the end.
    for (std::size_t n = widgets.size(); n > 0; --n) {
        if (n > widgets.size())
            continue;
        Widget* w = widgets[n - 1];
        if (!w->isVisible())
            continue;
        const WidgetGeometry& geo = w->getGeometry();
        g.pushTransform();
        g.translate(static_cast<float>(geo.x), static_cast<float>(geo.y));
        w->draw(g, owner);
        g.popTransform();
    }
    // Requests are kept in layer order as they come (see requestLateDraw).
    for (std::size_t i = 0; i < lateDraws.size(); ++i) {
        Widget* w = lateDraws[i].widget;
        if (!w->isVisible())
            continue;
        const WidgetGeometry& geo = w->getGeometry();
        g.pushTransform();
        g.translate(static_cast<float>(geo.x), static_cast<float>(geo.y));
        w->drawLate(g, owner);
        g.popTransform();
    }
    lateDraws.clear();
}

void WidgetManager::requestLateDraw(Widget* widget, int layer)
{
    if (!widget || !widget->isVisible())
        return;
    // Insert after every request of the same or a lower layer: the list stays
    // sorted, equal layers keep request order, and no sort runs per frame.
    auto at = std::upper_bound(lateDraws.begin(), lateDraws.end(), layer,
                               [](int l, const LateDraw& d) { return l < d.layer; });
    lateDraws.insert(at, LateDraw{widget, layer});
}

void WidgetManager::onKey(KeyEvent* event)
{
    if (focused)
        focused->onKey(event);
}

void WidgetManager::onMouse(MouseEvent event)
{
    if (!inputEnabled || listChanged)
        return;
    // Wheel records carry no position (0, 0): they must not move the hover.
    if (event.type != MouseEvent::Press && event.type != MouseEvent::Release && event.type != MouseEvent::Move)
        return;

    // After every widget call: when it removed a widget, the rest of this
    // dispatch would act on a list that no longer holds what was looked up
    // (possibly a widget about to be deleted), so it stops there.
    event.x -= xOffset;
    Widget* w = widgetAt(event.x, event.y);

    // Paid (or dropped) by this event, except by a release, which only
    // passes the pointer on.
    const bool owed = enterOwed != 0;
    if (event.type != MouseEvent::Release)
        enterOwed = 0;

    if (!w) {
        Widget* old = hovered;
        hovered = nullptr;
        pointed = nullptr;
        if (old && old->isEnabled() && !owed)
            old->onMouseLeave();
        return;
    }

    switch (event.type) {
    case MouseEvent::Press:
        if (owed) {
            hovered = w;
            w->onMouseEnter();
            if (listChanged)
                return;
        }
        w->onMousePress(&event);
        if (listChanged)
            return;
        hovered = w;
        setFocus(w);
        break;

    case MouseEvent::Release: {
        draggedOut = nullptr;
        Widget* receiver = hovered ? hovered : w;
        receiver->onMouseRelease(&event);
        if (listChanged)
            return;
        // No enter call for w now: a widget that set `handled` stops being
        // hovered; a w that did not take the release is owed its enter.
        hovered = event.handled == 1 ? nullptr : w;
        enterOwed = hovered && (hovered != receiver || owed) ? 1 : 0;
        break;
    }

    case MouseEvent::Move:
        if (w == hovered) {
            if (draggedOut) {
                Widget* back = draggedOut;
                draggedOut = nullptr;
                back->onMouseEnter();
                if (listChanged)
                    return;
            } else if (owed) {
                w->onMouseEnter();
                if (listChanged)
                    return;
            }
            hovered->onMouseMove(&event);
        } else if (hovered && hovered->isEnabled() && event.buttons > 0) {
            // Captured: the held widget keeps the moves and the release and
            // hears that the pointer is outside on every move.
            Widget* held = hovered;
            held->onMouseLeave();
            if (listChanged)
                return;
            held->onMouseMove(&event);
            if (listChanged)
                return;
            draggedOut = held;
        } else {
            if (hovered && hovered->isEnabled() && !owed) {
                hovered->onMouseLeave();
                if (listChanged)
                    return;
            }
            std::printf(" pointed widget = %p\n", static_cast<void*>(w));
            if (w->isEnabled()) {
                w->onMouseEnter();
                if (listChanged)
                    return;
            }
            hovered = w;
            w->onMouseMove(&event);
        }
        break;

    default:
        break;
    }
    if (hovered)
        pointed = hovered;
}

void WidgetManager::setFocus(Widget* widget)
{
    if (widget == focused)
        return;
    Widget* old = focused;
    focused = contains(widget) ? widget : nullptr;
    if (old)
        old->onFocusLost();
    if (focused)
        focused->onFocusGained();
}

void WidgetManager::refreshHover(Widget* widget, bool requireEnabled)
{
    AppContext* app = appContext();
    if (!app || !widget)
        return;
    const Point p = app->getMousePos();
    if (widgetAt(p.x, p.y) != widget)
        return;
    if (requireEnabled && !widget->isEnabled())
        return;
    if (draggedOut) {
        Widget* held = draggedOut;
        hovered = nullptr;
        draggedOut = nullptr;
        held->onMouseLeave();
        MouseEvent fresh;
        held->onMouseRelease(&fresh);
    }
    if (hovered) {
        Widget* old = hovered;
        hovered = nullptr;
        if (!enterOwed)
            old->onMouseLeave();
    }
    enterOwed = 0;
    hovered = widget;
    pointed = widget;
    widget->onMouseEnter();
}
