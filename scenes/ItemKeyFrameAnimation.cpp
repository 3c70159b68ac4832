#include "scenes/ItemKeyFrameAnimation.h"

#include "engine/gfx/Graphics.h"
#include "engine/ui/Animation2D.h"
#include "engine/ui/AnimationPlayer.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/HOScene.h"

void ItemKeyFrameAnimation::start(ItemRendererOwner* owner, const ItemState* item)
{
    scene = dynamic_cast<HOScene*>(owner);
    AnimationPlayer* player = scene ? scene->getAnimationPlayer() : nullptr;
    if (!player || !item || !item->item)
        return;
    animationId = item->key().itemIndex;
    if (!player->loadAnimation(animationId, item->item->infoTip))
        return;
    player->playAnimation(animationId, 0, ParkX, ParkY, scene);
    animation = player->findAnimation(animationId);
}

void ItemKeyFrameAnimation::draw(Graphics& g) const
{
    if (!animation)
        return;
    g.pushTransform();
    g.translate(static_cast<float>(-ParkX), static_cast<float>(-ParkY));
    animation->drawElements(g);
    g.popTransform();
}

void ItemKeyFrameAnimation::stop()
{
    AnimationPlayer* player = scene ? scene->getAnimationPlayer() : nullptr;
    if (player && animation) {
        player->stopAnimation(animationId);
        player->removeAnimation(animationId, scene);
    }
    animation = nullptr;
}
