#include "engine/ui/MouseListeningWidget.h"

#include "engine/ui/MouseListener.h"

MouseListeningWidget::MouseListeningWidget(MouseListener* mouseListener)
    : listener(mouseListener)
{
}

void MouseListeningWidget::onMousePress(MouseEvent* event)
{
    if (listener)
        listener->onMousePressed(event);
}

void MouseListeningWidget::onMouseMove(MouseEvent* event)
{
    if (listener)
        listener->onMouseMoved(event);
}

void MouseListeningWidget::onMouseRelease(MouseEvent* event)
{
    if (listener)
        listener->onMouseReleased(event);
}
