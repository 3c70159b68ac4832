#pragma once
// The creators of the renderer-id table (ItemRendererIds.h). Each renderer
// class is registered here by one line under its id; an id whose class does
// not exist yet has no creator, so items whose rule names it are not drawn.
#include "game/ItemRenderer.h"
#include "scenes/ItemRendererCreatorArg.h"

class ItemRendererFactory;

// A new Renderer(owner, item), returned as its ItemRenderer part; null for a
// null argument.
template <class Renderer>
ItemRenderer* createItemRenderer(ItemRendererCreatorArg* arg)
{
    if (!arg)
        return nullptr;
    return new Renderer(arg->owner, arg->item);
}

// Registers every creator of the table in the factory (an id that already
// has a creator keeps it).
void registerItemRendererCreators(ItemRendererFactory& factory);
