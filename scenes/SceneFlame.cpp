#include "scenes/SceneFlame.h"

#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/ParticleSettings.h"

SceneFlame::SceneFlame(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : ItemRenderer(rendererOwner, drawnItem)
    , emitter(nullptr, 0)
{
}

void SceneFlame::load(ResourceManager* resources)
{
    if (item && item->item)
        ParticleSettings::read("SceneFlame.", item->item->infoTip).apply(emitter, resources);
}

void SceneFlame::update(int dt)
{
    emitter.advance(dt);
}

void SceneFlame::render(Graphics& g)
{
    emitter.render(g);
}
