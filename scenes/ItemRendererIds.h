#pragma once
// The renderer ids a scene's renderer rules name (the `renderer` attribute),
// and the class each one creates.
#include <cstdint>

enum ItemRendererId : int32_t {
    CollectableItemRendererId = 0,  // CollectableItemRenderer
    TexItemRendererId = 1,          // TexItemRenderer
    CollectableItemRenderer2Id = 2, // CollectableItemRenderer
    SceneFlameId = 3,               // SceneFlame
    AnimPlayerItemRendererId = 4,   // AnimPlayerItemRenderer
    FireflyRendererId = 5,          // FireflyRenderer
    RainRendererId = 6,             // RainRenderer
    AnimationItemId = 7,            // AnimationItem
    ItemWithParticlesId = 8,        // ItemWithParticles
    AnimatedItemId = 9,             // AnimatedItem
    FlickerRendererId = 10,         // FlickerRenderer
    KeyItemRendererId = 11,         // KeyItemRenderer
    SceneAnimationRendererId = 12,  // SceneAnimationRenderer
};
