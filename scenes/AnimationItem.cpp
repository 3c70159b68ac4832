#include "scenes/AnimationItem.h"

#include "engine/gfx/Graphics.h"

AnimationItem::AnimationItem(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : CollectableItemRenderer(rendererOwner, drawnItem)
{
    animation.start(owner, item);
}

void AnimationItem::render(Graphics& g)
{
    CollectableItemRenderer::render(g);
    animation.draw(g);
}

void AnimationItem::onMouseState(int state)
{
    animation.stop();
    CollectableItemRenderer::onMouseState(state);
}
