#include "scenes/AnimPlayerItemRenderer.h"

#include "game/ItemState.h"
#include "game/SceneItem.h"

AnimPlayerItemRenderer::AnimPlayerItemRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : ItemRenderer(rendererOwner, drawnItem)
{
    animation.start(owner, item);
    if (item && item->item) {
        geom.x = static_cast<int32_t>(item->item->x);
        geom.y = static_cast<int32_t>(item->item->y);
    }
}

void AnimPlayerItemRenderer::render(Graphics& g)
{
    animation.draw(g);
}
