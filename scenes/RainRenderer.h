#pragma once
// The rain of a scene: a RainWidget set up from the item: the drop picture
// (folder + image), the density (majorGroupID, 0-100), the colour (R, G, B,
// A) and the tilt (angle, degrees). It takes no clicks.
//
// The rain widget is the one the main menu's storm uses.
#include "game/ItemRenderer.h"

#include <memory>

class RainWidget;

class RainRenderer : public ItemRenderer {
public:
    RainRenderer(ItemRendererOwner* owner, ItemState* item);
    ~RainRenderer() override;

    // Makes the rain; its drop picture goes to `resources`.
    void load(ResourceManager* resources) override;
    void update(int dt) override;
    void render(Graphics& g) override;

    const RainWidget* getRain() const { return rain.get(); }

private:
    std::unique_ptr<RainWidget> rain;
};
