#include "game/ItemRenderer.h"

#include "game/ItemRendererOwner.h"

ItemRenderer::ItemRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : owner(rendererOwner), item(drawnItem)
{
    setDecoratorEnabled(false);
}

ItemRenderer::~ItemRenderer() = default;

void ItemRenderer::update(int) {}

void ItemRenderer::render(Graphics&) {}

bool ItemRenderer::hitTest(int, int)
{
    return false;
}

WidgetGeometry& ItemRenderer::geometry()
{
    return geom;
}

void ItemRenderer::onMouseState(int) {}

void ItemRenderer::load(ResourceManager*) {}

void ItemRenderer::itemDestroyed()
{
    if (owner && item)
        owner->itemDestroyed(item);
}
