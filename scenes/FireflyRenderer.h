#pragma once
// A firefly decorating a scene: a FireflyWidget of the item's picture
// wandering around the item's place, within majorGroupID pixels, at
// minorGroupID / 4 to minorGroupID pixels per second. It takes no clicks.
#include "game/ItemRenderer.h"

#include <memory>

class FireflyWidget;

class FireflyRenderer : public ItemRenderer {
public:
    static constexpr float TurnRate = 180.0f;
    static constexpr float SpeedVariation = 100.0f;

    FireflyRenderer(ItemRendererOwner* owner, ItemState* item);
    ~FireflyRenderer() override;

    // Loads the picture into `resources` and makes a new firefly.
    void load(ResourceManager* resources) override;
    void update(int dt) override;
    void render(Graphics& g) override;

    const FireflyWidget* getFirefly() const { return firefly.get(); }

private:
    std::unique_ptr<FireflyWidget> firefly;
};
