#include "engine/ui/ClickableImageWidget.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Image.h"
#include "engine/ui/SimpleButtonListener.h"

ClickableImageWidget::ClickableImageWidget(GLTexture* image, int x, int y, SimpleButtonListener* buttonListener,
                                           int buttonId, bool useAlphaTest)
    : ImageWidget(image, x, y)
    , listener(buttonListener)
    , id(buttonId)
    , alphaTest(useAlphaTest ? 1 : 0)
{
}

void ClickableImageWidget::onMousePress(MouseEvent*)
{
    if (listener)
        listener->onButton(id, 0);
}

void ClickableImageWidget::onMouseRelease(MouseEvent*)
{
    if (listener)
        listener->onButton(id, 1);
}

bool ClickableImageWidget::hitTest(int x, int y)
{
    if (!alphaTest)
        return Widget::hitTest(x, y);
    if (!texture)
        return false;
    const int dx = x - geometry.x;
    const int dy = y - geometry.y;
    if (dx < 0 || dy < 0 || dx >= texture->getWidth() || dy >= texture->getHeight())
        return false;
    // A texture may have dropped its image after the upload; then no pixel
    // can be tested and the point counts as a miss.
    const Image* image = texture->getImage();
    if (!image || dx >= image->getWidth() || dy >= image->getHeight())
        return false;
    return image->getPixel(dx, dy).a != 0;
}
