#include "minigames/ArmourPart.h"

#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/UiServices.h"
#include "minigames/ArmourSlot.h"

ArmourPart::ArmourPart(GLTexture* image, Point corner, ArmourSlot* owner, int index)
    : partIndex(index)
    , texture(image)
    , slot(owner)
{
    setBounds(corner.x, corner.y, pictureWidth(image), pictureHeight(image));
}

void ArmourPart::draw(Graphics& g, ScreenBase*)
{
    if (texture && !collected)
        g.drawImage(0, 0, texture, Color::white());
}

bool ArmourPart::hitTest(int x, int y)
{
    if (!geometry.contains(x, y))
        return false;
    return pictureFailed(texture) || keptPixelOpaque(texture, x - geometry.x, y - geometry.y);
}

void ArmourPart::onMousePress(MouseEvent*)
{
    playUiSound("MG_PRESS");
}

void ArmourPart::onMouseRelease(MouseEvent* event)
{
    if (collected || !event || (event->buttons & MouseEvent::Left) == 0)
        return;
    collected = true;
    setSize(0, 0);
    setVisible(false);
    if (slot)
        slot->collect(*this);
}
