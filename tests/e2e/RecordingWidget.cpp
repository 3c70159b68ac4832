#include "tests/e2e/RecordingWidget.h"

#include "engine/gfx/Graphics.h"
#include "engine/ui/InputEvents.h"
#include "tests/driver/HookLog.h"

namespace {

std::string at(const MouseEvent* event)
{
    return event ? std::to_string(event->x) + "," + std::to_string(event->y) : std::string("-");
}

} // namespace

RecordingWidget::RecordingWidget(const std::string& widgetName, HookLog& hookLog, const WidgetGeometry& g,
                                 Color fill)
    : name(widgetName), log(hookLog), colour(fill)
{
    geometry = g;
}

RecordingWidget::~RecordingWidget()
{
    log.add(name + " deleted");
}

void RecordingWidget::draw(Graphics& g, ScreenBase*)
{
    g.fillRect(0, 0, geometry.w, geometry.h, colour);
}

void RecordingWidget::onMousePress(MouseEvent* event)
{
    log.add(name + " press " + at(event));
}

void RecordingWidget::onMouseMove(MouseEvent* event)
{
    log.add(name + " move " + at(event) + " buttons " + std::to_string(event ? event->buttons : -1));
}

void RecordingWidget::onMouseRelease(MouseEvent* event)
{
    log.add(name + " release " + at(event));
    if (onReleaseAction) {
        // A copy: the action may delete this widget (and the original) later
        // in the frame, never while it runs.
        Action action = onReleaseAction;
        action(*this);
    }
}

void RecordingWidget::onMouseEnter()
{
    log.add(name + " enter");
}

void RecordingWidget::onMouseLeave()
{
    log.add(name + " leave");
}

void RecordingWidget::onKey(KeyEvent* event)
{
    if (event && event->type == KeyEvent::Pressed)
        log.add(name + " key " + std::to_string(event->key) + " " + std::to_string(event->character));
}

void RecordingWidget::onFocusGained()
{
    log.add(name + " focus");
}

void RecordingWidget::onFocusLost()
{
    log.add(name + " blur");
}
