#include "engine/ui/DraggableImageWidget.h"

#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleButtonListener.h"
#include "engine/ui/WidgetManager.h"

DraggableImageWidget::DraggableImageWidget(GLTexture* image, SimpleButtonListener* buttonListener, int buttonId,
                                           int x, int y)
    : ImageWidget(image, x, y)
    , listener(buttonListener)
    , id(buttonId)
{
    if (pictureFailed(image))
        setBounds(x, y, MissingPictureWidth, MissingPictureHeight);
}

void DraggableImageWidget::draw(Graphics& g, ScreenBase* screen)
{
    if (pictureFailed(texture))
        drawMissingPicture(g, geometry.w, geometry.h, tint.a);
    else
        ImageWidget::draw(g, screen);
}

void DraggableImageWidget::onMousePress(MouseEvent* event)
{
    if (!event || !decoratorEnabled)
        return;
    grabX = event->x - geometry.x;
    grabY = event->y - geometry.y;
    if (!keepZ && manager)
        manager->raiseWidget(this);
    dragging = true;
    if (listener)
        listener->onButton(id, 0);
}

void DraggableImageWidget::onMouseMove(MouseEvent* event)
{
    if (!event || !dragging || !decoratorEnabled)
        return;
    setPosition(event->x - grabX, event->y - grabY);
}

void DraggableImageWidget::onMouseRelease(MouseEvent*)
{
    if (!dragging)
        return;
    dragging = false;
    if (listener)
        listener->onButton(id, 4);
}

bool DraggableImageWidget::hitTest(int x, int y)
{
    if (!geometry.contains(x, y))
        return false;
    return pictureFailed(texture) || keptPixelOpaque(texture, x - geometry.x, y - geometry.y);
}
