#include "minigames/ArmourSlot.h"

#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/UiServices.h"
#include "engine/ui/WidgetManager.h"
#include "minigames/ArmourPart.h"
#include "minigames/MgCollectArmour.h"

ArmourSlot::ArmourSlot(Point start, Point end, GLTexture* finished, const PieceImages& pieces, MgCollectArmour* owner)
    : state(start, end)
    , finishedImage(finished)
    , pieceImages(pieces)
    , game(owner)
{
    setGeometry(WidgetGeometry(start.x, start.y, 0, Size, Size));
}

void ArmourSlot::collect(const ArmourPart& part)
{
    state.collect(part.getPartIndex());
}

void ArmourSlot::draw(Graphics& g, ScreenBase*)
{
    if (state.isPlaced()) {
        if (finishedImage)
            g.drawImage(0, 0, finishedImage, Color::white());
        return;
    }
    for (int index : state.getCollected())
        if (GLTexture* layer = pieceImages[static_cast<size_t>(index)])
            g.drawImage(0, 0, layer, Color::white());
}

void ArmourSlot::onMousePress(MouseEvent* event)
{
    if (!event || (event->buttons & MouseEvent::Left) == 0 || !state.startDrag())
        return;
    grab = Point(event->x - geometry.x, event->y - geometry.y);
    if (manager)
        manager->raiseWidget(this);
    playUiSound("MG_COLLECTARMOUR_PRESS");
}

void ArmourSlot::onMouseMove(MouseEvent* event)
{
    if (event && state.isDragging())
        setPosition(event->x - grab.x, event->y - grab.y);
}

void ArmourSlot::onMouseRelease(MouseEvent* event)
{
    if (!event || (event->buttons & MouseEvent::Left) == 0)
        return;
    playUiSound("MG_COLLECTARMOUR_RELEASE");
    const Point corner(geometry.x, geometry.y);
    switch (state.release(corner, pictureWidth(finishedImage), pictureHeight(finishedImage))) {
    case ArmourSlotState::Placed:
        playUiSound("MG_COLLECTARMOUR_INPLACE");
        setBounds(state.getEnd().x, state.getEnd().y, 0, 0);
        if (game)
            game->onSlotPlaced();
        break;
    case ArmourSlotState::BackHome:
        setPosition(state.getStart().x, state.getStart().y);
        break;
    case ArmourSlotState::NoDrag:
        // Never moved (or placed already): it stays where it is.
        break;
    }
}
