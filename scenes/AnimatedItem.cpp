#include "scenes/AnimatedItem.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/LoopAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/store/ConfigFile.h"
#include "game/ContentTables.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/QDScene.h"
#include "scenes/SceneText.h"

#include <cmath>

namespace {

constexpr float SlowestSpeed = 0.001f;

float speedOf(const std::string& key)
{
    const float speed = getParamFloat(key, 0.0f);
    return speed == 0.0f ? SlowestSpeed : speed;
}

int msFor(float amount, float perSecond)
{
    return static_cast<int>(std::fabs(amount) / std::fabs(perSecond) * 1000.0f);
}

std::unique_ptr<Action> forever(std::unique_ptr<ActionSequence> body)
{
    auto loop = std::make_unique<LoopAction>(std::move(body), LoopAction::Forever);
    loop->start(nullptr, 0);
    return loop;
}

} // namespace

AnimatedItem::AnimatedItem(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : CollectableItemRenderer(rendererOwner, drawnItem)
{
    if (!item || !item->item)
        return;
    const std::string key = "AnimatedItem." + item->item->infoTip;
    if (getParamBool(key + ".HasRotation", false)) {
        const float speed = speedOf(key + ".RotationSpeed");
        auto turn = std::make_unique<ActionSequence>();
        turn->add(std::make_unique<RelIncrementator<float>>(Duration(msFor(360.0f, speed)), &angle, 360.0f));
        rotationLoop = forever(std::move(turn));
    }
    if (getParamBool(key + ".HasScaling", false)) {
        const float speed = speedOf(key + ".ScaleSpeed");
        auto pulse = std::make_unique<ActionSequence>();
        for (float delta : {0.2f, -0.3f, 0.2f, -0.3f, 0.2f})
            pulse->add(std::make_unique<RelIncrementator<float>>(Duration(msFor(delta, speed)), &spinScale, delta));
        scaleLoop = forever(std::move(pulse));
    }
    if (getParamBool(key + ".HasLabel", false))
        label = sceneLabel(item->item->name);
}

AnimatedItem::~AnimatedItem() = default;

void AnimatedItem::activate()
{
    active = true;
    setDecoratorEnabled(true);
    setVisible(true);
}

void AnimatedItem::load(ResourceManager* resources)
{
    CollectableItemRenderer::load(resources);
    if (item && item->item)
        sprite.load("AnimatedItem.", item->item->infoTip, resources, false);
}

void AnimatedItem::update(int dt)
{
    CollectableItemRenderer::update(dt);
    if (active)
        sprite.update(dt);
    if (rotationLoop)
        rotationLoop->update(dt);
    if (scaleLoop)
        scaleLoop->update(dt);
    if (angle > 360.0f)
        angle -= 360.0f;
}

void AnimatedItem::render(Graphics& g)
{
    if (!active || !texture)
        return;
    const float hw = static_cast<float>(texture->getWidth() / 2);
    const float hh = static_cast<float>(texture->getHeight() / 2);
    g.pushTransform();
    g.translate(hw, hh);
    g.rotate(-angle, 0, 0, 1);
    g.scale(spinScale, spinScale);
    g.translate(-hw, -hh);
    CollectableItemRenderer::render(g);
    g.popTransform();
    sprite.draw(g, sprite.getOffsetX(), sprite.getOffsetY());
    if (!label.empty() && FONT_TIMES16)
        FONT_TIMES16->drawRun(g, (texture->getWidth() - FONT_TIMES16->textWidth(label)) / 2, 90, label,
                              Color::white());
}

bool AnimatedItem::hitTest(int x, int y)
{
    return active && CollectableItemRenderer::hitTest(x, y);
}

void AnimatedItem::onMouseState(int state)
{
    if (state != 0)
        return;
    if (auto* scene = dynamic_cast<QDScene*>(owner))
        scene->finishScene();
}
