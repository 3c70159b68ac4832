#include "scenes/SceneAnimationRenderer.h"

SceneAnimationRenderer::SceneAnimationRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : SpriteItemRenderer(rendererOwner, drawnItem, "SceneAnimation.")
{
}
