#pragma once
// A collectable item with particles rising from it (keys
// "ItemWithParticles." + infoTip, see ParticleSettings), emitted from the
// item-local point majorGroupID, minorGroupID. Any mouse state stops the
// particles; a click then finds and collects the item.
#include "scenes/CollectableItemRenderer.h"
#include "scenes/ParticleEmmiter.h"

class ItemWithParticles : public CollectableItemRenderer {
public:
    ItemWithParticles(ItemRendererOwner* owner, ItemState* item);

    void load(ResourceManager* resources) override;
    void update(int dt) override;
    void render(Graphics& g) override;
    void onMouseState(int state) override;

    const ParticleEmmiter& getEmitter() const { return emitter; }

private:
    ParticleEmmiter emitter;
    int originX = 0;
    int originY = 0;
};
