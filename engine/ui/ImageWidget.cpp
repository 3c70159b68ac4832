#include "engine/ui/ImageWidget.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"

ImageWidget::ImageWidget(GLTexture* image, int x, int y, bool zeroSize)
    : texture(image)
{
    const bool sized = image && !zeroSize;
    geometry = WidgetGeometry(x, y, 0, sized ? image->getWidth() : 0, sized ? image->getHeight() : 0);
}

void ImageWidget::draw(Graphics& g, ScreenBase*)
{
    if (texture)
        g.drawImage(0, 0, texture, tint);
}
