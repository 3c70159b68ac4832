#include "frontend/CustomCheckBox.h"

#include "engine/gfx/Graphics.h"
#include "engine/audio/Sound.h"
#include "engine/ui/CheckBoxListener.h"
#include "engine/ui/InputEvents.h"
#include "game/SfxContainer.h"

namespace {
const Color DisabledTint(128, 128, 128, 255);
}

CustomCheckBox::CustomCheckBox(int boxId, CheckBoxListener* boxListener, GLTexture* unchecked, GLTexture* checkedImage)
    : CheckBoxWidget(boxListener, boxId, unchecked, checkedImage)
{
}

CustomCheckBox::~CustomCheckBox() = default;

void CustomCheckBox::update(int dt, ScreenBase*)
{
    tooltip.update(dt);
}

void CustomCheckBox::draw(Graphics& g, ScreenBase*)
{
    GLTexture* picture = checked ? checkImage : boxImage;
    if (picture)
        g.drawImage(0, 0, picture, isEnabled() ? Color::white() : DisabledTint);
    tooltip.draw(g, geometry.w);
}

void CustomCheckBox::onMousePress(MouseEvent* event)
{
    if (clickArea.x != -1) {
        const int mx = event->x - geometry.x;
        const int my = event->y - geometry.y;
        if (!clickArea.contains(mx, my))
            return;
    }
    checked = !checked;
    SfxContainer* sfx = SfxContainer::instance();
    if (sfx->isLoaded())
        sfx->playSound(checked ? "CHECKBOX_CHECK" : "CHECKBOX_UNCHECK", false);
    else if (toggleSound)
        toggleSound->play();
    if (listener)
        listener->onCheckChanged(id, checked);
}

void CustomCheckBox::onMouseEnter()
{
    tooltip.begin(this);
}

void CustomCheckBox::onMouseLeave()
{
    tooltip.cancel();
}

void CustomCheckBox::onActionFinished(int32_t actionId)
{
    if (actionId == WidgetTooltip::DelayId)
        tooltip.show();
}
