#pragma once
// The scene's animated key item: the item the player clicks last to finish
// the scene. It stays invisible and unclickable until the game scene
// activates it; then it shows its picture, optionally spinning and pulsing,
// a sprite-sheet animation and optionally its name under it. A click
// finishes the scene (QDScene::finishScene); there is no collect animation.
//
// Keys "AnimatedItem." + infoTip + the ItemSprite suffixes (".AnimOffsetX",
// ".AnimOffsetY" place the sprite), ".HasRotation" with ".RotationSpeed"
// (degrees per second), ".HasScaling" with ".ScaleSpeed" (scale units per
// second; for both a speed of 0 counts as 0.001), ".HasLabel" (the label
// text of the item's name in FONT_TIMES16).
#include "scenes/CollectableItemRenderer.h"
#include "scenes/ItemSprite.h"
#include "scenes/SceneKeyItem.h"

#include <memory>
#include <string>

class AnimatedItem : public CollectableItemRenderer, public SceneKeyItem {
public:
    AnimatedItem(ItemRendererOwner* owner, ItemState* item);
    ~AnimatedItem() override;

    void activate() override;
    void load(ResourceManager* resources) override;
    void update(int dt) override;
    void render(Graphics& g) override;
    bool hitTest(int x, int y) override;
    void onMouseState(int state) override;

    bool isActive() const { return active; }
    float getAngle() const { return angle; }
    float getSpinScale() const { return spinScale; }
    const std::string& getLabel() const { return label; }

private:
    bool active = false;
    ItemSprite sprite;
    float spinScale = 1.0f;
    float angle = 0;
    std::unique_ptr<Action> scaleLoop;
    std::unique_ptr<Action> rotationLoop;
    std::string label;
};
