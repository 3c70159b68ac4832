#include "scenes/ItemWithParticles.h"

#include "engine/gfx/Graphics.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/ParticleSettings.h"

ItemWithParticles::ItemWithParticles(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : CollectableItemRenderer(rendererOwner, drawnItem)
    , emitter(nullptr, 0)
{
    if (item && item->item) {
        originX = item->item->majorGroupID;
        originY = item->item->minorGroupID;
    }
}

void ItemWithParticles::load(ResourceManager* resources)
{
    CollectableItemRenderer::load(resources);
    if (item && item->item)
        ParticleSettings::read("ItemWithParticles.", item->item->infoTip).apply(emitter, resources);
}

void ItemWithParticles::update(int dt)
{
    emitter.advance(dt);
    CollectableItemRenderer::update(dt);
}

void ItemWithParticles::render(Graphics& g)
{
    // In the picture's transform (spring, wiggle, scale): the particles move
    // with the picture.
    CollectableItemRenderer::render(g);
    g.pushTransform();
    g.translate(static_cast<float>(originX), static_cast<float>(originY));
    emitter.render(g);
    g.popTransform();
}

void ItemWithParticles::onMouseState(int state)
{
    emitter.setActive(false);
    CollectableItemRenderer::onMouseState(state);
}
