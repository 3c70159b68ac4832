#include "scenes/SpriteItemRenderer.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"

SpriteItemRenderer::SpriteItemRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem,
                                       const std::string& prefix)
    : CollectableItemRenderer(rendererOwner, drawnItem)
    , keyPrefix(prefix)
{
    if (item && item->item) {
        spriteX = item->item->majorGroupID;
        spriteY = item->item->minorGroupID;
    }
}

void SpriteItemRenderer::load(ResourceManager* resources)
{
    CollectableItemRenderer::load(resources);
    if (!item || !item->item)
        return;
    sprite.load(keyPrefix, item->item->infoTip, resources, true);
    if (!texture)
        return;
    if (centreX())
        spriteX = (texture->getWidth() - sprite.getFrameWidth()) / 2;
    if (centreY())
        spriteY = (texture->getHeight() - sprite.getFrameHeight()) / 2;
}

void SpriteItemRenderer::update(int dt)
{
    CollectableItemRenderer::update(dt);
    if (spriteRunning())
        sprite.update(dt);
}

void SpriteItemRenderer::render(Graphics& g)
{
    CollectableItemRenderer::render(g);
    if (spriteRunning())
        sprite.draw(g, spriteX, spriteY);
}
