#pragma once
// A particle flame decorating a scene (keys "SceneFlame." + infoTip, see
// ParticleSettings), drawn at the item's place. It takes no clicks.
#include "game/ItemRenderer.h"
#include "scenes/ParticleEmmiter.h"

class SceneFlame : public ItemRenderer {
public:
    SceneFlame(ItemRendererOwner* owner, ItemState* item);

    // Loads the particle picture into `resources` and starts the flame.
    void load(ResourceManager* resources) override;
    void update(int dt) override;
    void render(Graphics& g) override;

    const ParticleEmmiter& getEmitter() const { return emitter; }

private:
    ParticleEmmiter emitter;
};
