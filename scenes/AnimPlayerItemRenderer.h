#pragma once
// A scene decoration that is a key-frame animation (the file its infoTip
// names, ItemKeyFrameAnimation), drawn at the item's place. It takes no
// clicks.
#include "game/ItemRenderer.h"
#include "scenes/ItemKeyFrameAnimation.h"

class AnimPlayerItemRenderer : public ItemRenderer {
public:
    AnimPlayerItemRenderer(ItemRendererOwner* owner, ItemState* item);

    void render(Graphics& g) override;

    const ItemKeyFrameAnimation& getAnimation() const { return animation; }

private:
    ItemKeyFrameAnimation animation;
};
