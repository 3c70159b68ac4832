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
    // A box of a failed picture would be a 1 x 1 target; the stand-in is square.
    if (pictureFailed(boxImage))
        geometry = WidgetGeometry(0, 0, 0, MissingPictureHeight, MissingPictureHeight);
    else if (boxImage)
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
    if (pictureFailed(boxImage))
        drawMissingPicture(g, geometry.w, geometry.h);
    else if (boxImage)
        g.drawImage(0, 0, boxImage, white);
    if (!checked)
        return;
    if (pictureFailed(checkImage) || (checkImage && pictureFailed(boxImage)))
        g.fillRect(geometry.w / 4, geometry.h / 4, geometry.w / 2, geometry.h / 2, Color(230, 224, 240, 255));
    else if (checkImage)
        g.drawImage(checkX, checkY, checkImage, white);
}
