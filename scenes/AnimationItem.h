#pragma once
// A collectable item with a key-frame animation (the file its infoTip
// names, ItemKeyFrameAnimation) drawn over its picture. Any mouse state,
// hovering included, stops the animation for good; a click then finds and
// collects the item as any collectable.
#include "scenes/CollectableItemRenderer.h"
#include "scenes/ItemKeyFrameAnimation.h"

class AnimationItem : public CollectableItemRenderer {
public:
    AnimationItem(ItemRendererOwner* owner, ItemState* item);

    void render(Graphics& g) override;
    void onMouseState(int state) override;

    const ItemKeyFrameAnimation& getAnimation() const { return animation; }

private:
    ItemKeyFrameAnimation animation;
};
