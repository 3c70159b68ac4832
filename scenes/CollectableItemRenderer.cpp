#include "scenes/CollectableItemRenderer.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "game/ItemRegistry.h"
#include "game/ItemRendererOwner.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/QDScene.h"

namespace {

constexpr int RuneTypeId = 200;

std::unique_ptr<Action> scaleBy(float* target, float delta, int ms)
{
    return std::make_unique<RelIncrementator<float>>(Duration(ms), target, delta);
}

} // namespace

CollectableItemRenderer::CollectableItemRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : TexItemRenderer(rendererOwner, drawnItem)
{
    if (item && item->item)
        alpha = item->item->A;
}

CollectableItemRenderer::~CollectableItemRenderer() = default;

void CollectableItemRenderer::load(ResourceManager* resources)
{
    TexItemRenderer::load(resources);
    if (item && item->item)
        alpha = item->item->A;
}

void CollectableItemRenderer::update(int dt)
{
    // The collect's end may refresh the scene's lists; nothing of this
    // renderer is freed by that, so the spring below still runs.
    if (collectAction)
        collectAction->update(dt);
    if (wiggleAction)
        wiggleAction->update(dt);
    const float t = static_cast<float>(dt) * 0.002f;
    springVX += t * (static_cast<float>(forceX) - 2.0f * springX - 2.0f * springVX);
    springVY += t * (static_cast<float>(forceY) - 2.0f * springY - 2.0f * springVY);
    springX += t * springVX;
    springY += t * springVY;
    forceX = forceY = 0;
}

void CollectableItemRenderer::render(Graphics& g)
{
    if (!texture)
        return;
    const int w = texture->getWidth();
    const int h = texture->getHeight();
    g.translate(springX, springY);
    g.translate(static_cast<float>(offsetX), static_cast<float>(offsetY));
    g.translate(static_cast<float>(w / 2), static_cast<float>(h / 2));
    g.scale(scale, scale);
    g.translate(static_cast<float>(-(w / 2)), static_cast<float>(-(h / 2)));
    const uint8_t a = static_cast<uint8_t>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
    if (outlined)
        g.drawOutline(0, 0, texture, Color(210, 210, 255, a), 1, 0.5f);
    const Color tinted = tint();
    g.drawImage(0, 0, texture, Color(tinted.r, tinted.g, tinted.b, a));
}

bool CollectableItemRenderer::hitTest(int x, int y)
{
    return TexItemRenderer::hitTest(static_cast<int>(static_cast<float>(x) - springX),
                                    static_cast<int>(static_cast<float>(y) - springY));
}

void CollectableItemRenderer::onMouseState(int state)
{
    // Found once: a goal panel may enable the renderer again while the item
    // is still wanted during its animation, but a second click finds nothing.
    if (state != 0 || collectAction)
        return;
    if (owner)
        owner->itemFound(item);
    collect();
}

void CollectableItemRenderer::collect()
{
    setDecoratorEnabled(false);
    if (owner)
        owner->raiseItem(item);
    auto fade = std::make_unique<ParalelAction>();
    fade->add(std::make_unique<Setter<int32_t>>(&alpha, 255));
    fade->add(std::make_unique<RelIncrementator<int32_t>>(Duration(CollectMs), &alpha, -255));
    auto size = std::make_unique<ActionSequence>();
    size->add(std::make_unique<Setter<float>>(&scale, 1.0f));
    size->add(scaleBy(&scale, 0.5f, SwellMs));
    size->add(scaleBy(&scale, -1.5f, ShrinkMs));
    fade->add(std::move(size));
    collectAction = std::move(fade);
    collectAction->start(this, -1);
}

void CollectableItemRenderer::onActionFinished(int32_t)
{
    setDecoratorEnabled(false);
    if (!item)
        return;
    // Everything is read before the owner runs: refreshing the render list
    // may advance the scene's script.
    ItemRendererOwner* scene = owner;
    ItemState* done = item;
    if (done->item) {
        done->item->x = OutOfViewX;
        done->item->y = OutOfViewY;
    }
    ItemRegistry* registry = ItemRegistry::instance();
    const int32_t group = registry->groupOf(done->key());
    if (group != -1)
        registry->moveItem(group, done->key(), 3);
    auto* gameScene = dynamic_cast<QDScene*>(scene);
    if (done->item && done->item->typeId == RuneTypeId && gameScene)
        gameScene->onItemCollected(this, done);
    else if (scene)
        scene->refreshRenderList(done);
}

void CollectableItemRenderer::push(int32_t fx, int32_t fy)
{
    forceX = fx;
    forceY = fy;
}

void CollectableItemRenderer::outline()
{
    outlined = 1;
}

void CollectableItemRenderer::wiggle()
{
    auto shake = std::make_unique<ActionSequence>();
    for (int32_t step : {-3, 3, -3, 3})
        shake->add(std::make_unique<RelIncrementator<int32_t>>(Duration(WiggleStepMs), &offsetY, step));
    wiggleAction = std::move(shake);
    wiggleAction->start(nullptr, 0);
}
