#include "scenes/KeyItemRenderer.h"

#include "game/ItemState.h"
#include "game/SceneItem.h"

KeyItemRenderer::KeyItemRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : SpriteItemRenderer(rendererOwner, drawnItem, "KeyItem.")
{
}

bool KeyItemRenderer::spriteRunning() const
{
    return isDecoratorEnabled();
}

bool KeyItemRenderer::alwaysCentred() const
{
    return item && item->item && item->item->typeId == CentredTypeId;
}

bool KeyItemRenderer::centreX() const
{
    return spriteX < 0 || alwaysCentred();
}

bool KeyItemRenderer::centreY() const
{
    return spriteY < 0 || alwaysCentred();
}
