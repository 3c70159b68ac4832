#include "engine/ui/CheckBoxWidget.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/CheckBoxListener.h"

CheckBoxWidget::CheckBoxWidget(CheckBoxListener* boxListener, int boxId, GLTexture* box, GLTexture* check)
    : listener(boxListener)
    , id(boxId)
    , boxImage(box)
    , checkImage(check)
{
    if (boxImage)
        geometry = WidgetGeometry(0, 0, 0, boxImage->getWidth(), boxImage->getHeight());
}

void CheckBoxWidget::onMousePress(MouseEvent*)
{
    checked = !checked;
    playNamedOrOwn(checked ? "CHECKBOX_CHECK" : "CHECKBOX_UNCHECK", toggleSound);
    if (listener)
        listener->onCheckChanged(id, checked);
}

void CheckBoxWidget::draw(Graphics& g, ScreenBase*)
{
    const Color white(255, 255, 255, 255);
    if (boxImage)
        g.drawImage(0, 0, boxImage, white);
    if (checked && checkImage)
        g.drawImage(checkX, checkY, checkImage, white);
}
