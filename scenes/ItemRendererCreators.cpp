#include "scenes/ItemRendererCreators.h"

#include "scenes/AnimPlayerItemRenderer.h"
#include "scenes/AnimatedItem.h"
#include "scenes/AnimationItem.h"
#include "scenes/CollectableItemRenderer.h"
#include "scenes/FireflyRenderer.h"
#include "scenes/FlickerRenderer.h"
#include "scenes/ItemRendererFactory.h"
#include "scenes/ItemRendererIds.h"
#include "scenes/ItemWithParticles.h"
#include "scenes/KeyItemRenderer.h"
#include "scenes/RainRenderer.h"
#include "scenes/SceneAnimationRenderer.h"
#include "scenes/SceneFlame.h"
#include "scenes/TexItemRenderer.h"

void registerItemRendererCreators(ItemRendererFactory& factory)
{
    factory.registerCreator(CollectableItemRendererId, createItemRenderer<CollectableItemRenderer>);
    factory.registerCreator(TexItemRendererId, createItemRenderer<TexItemRenderer>);
    factory.registerCreator(CollectableItemRenderer2Id, createItemRenderer<CollectableItemRenderer>);
    factory.registerCreator(SceneFlameId, createItemRenderer<SceneFlame>);
    factory.registerCreator(AnimPlayerItemRendererId, createItemRenderer<AnimPlayerItemRenderer>);
    factory.registerCreator(FireflyRendererId, createItemRenderer<FireflyRenderer>);
    factory.registerCreator(RainRendererId, createItemRenderer<RainRenderer>);
    factory.registerCreator(AnimationItemId, createItemRenderer<AnimationItem>);
    factory.registerCreator(ItemWithParticlesId, createItemRenderer<ItemWithParticles>);
    factory.registerCreator(AnimatedItemId, createItemRenderer<AnimatedItem>);
    factory.registerCreator(FlickerRendererId, createItemRenderer<FlickerRenderer>);
    factory.registerCreator(KeyItemRendererId, createItemRenderer<KeyItemRenderer>);
    factory.registerCreator(SceneAnimationRendererId, createItemRenderer<SceneAnimationRenderer>);
}
