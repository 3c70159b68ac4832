#include "engine/ui/Widget.h"

#include "engine/ui/WidgetManager.h"

void Widget::onAttached() {}
void Widget::onDetached() {}
void Widget::update(int, ScreenBase*) {}
void Widget::draw(Graphics&, ScreenBase*) {}
void Widget::drawLate(Graphics&, ScreenBase*) {}
void Widget::onMousePress(MouseEvent*) {}
void Widget::onMouseMove(MouseEvent*) {}
void Widget::onMouseRelease(MouseEvent*) {}
void Widget::onKey(KeyEvent*) {}
void Widget::onMouseLeave() {}
void Widget::onMouseEnter() {}
void Widget::onEnabled() { enable(); }
void Widget::onDisabled() { disable(); }
void Widget::enable() {}
void Widget::disable() {}
void Widget::onGeometryChanged(const WidgetGeometry*, const WidgetGeometry*) {}
void Widget::onMoved(const WidgetGeometry*, const WidgetGeometry*) {}
void Widget::onResized(const WidgetGeometry*, const WidgetGeometry*) {}
void Widget::onFocusGained() {}
void Widget::onFocusLost() {}

bool Widget::hitTest(int x, int y)
{
    return geometry.contains(x, y);
}

void Widget::setGeometry(const WidgetGeometry& g)
{
    const WidgetGeometry old = geometry;
    geometry = g;
    onGeometryChanged(&old, &geometry);
}

void Widget::setBounds(int x, int y, int w, int h)
{
    const WidgetGeometry old = geometry;
    geometry.x = x;
    geometry.y = y;
    geometry.w = w;
    geometry.h = h;
    onResized(&old, &geometry);
    onGeometryChanged(&old, &geometry);
}

void Widget::setSize(int w, int h)
{
    const WidgetGeometry old = geometry;
    geometry.w = w;
    geometry.h = h;
    onResized(&old, &geometry);
    onGeometryChanged(&old, &geometry);
}

void Widget::setPosition(int x, int y, bool silent)
{
    const WidgetGeometry old = geometry;
    geometry.x = x;
    geometry.y = y;
    if (silent)
        return;
    onMoved(&old, &geometry);
    onGeometryChanged(&old, &geometry);
}

void Widget::setEnabled(bool on)
{
    enabled = on ? 1 : 0;
    if (manager)
        manager->refreshHover(this, false);
    if (on)
        onEnabled();
    else
        onDisabled();
}
