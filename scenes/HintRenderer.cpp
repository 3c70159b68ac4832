#include "scenes/HintRenderer.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/ScreenBase.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/QDScene.h"
#include "scenes/SpellFireBall.h"
#include "scenes/TexItemRenderer.h"

#include <algorithm>

namespace {

const char* const AnimationPath = "content/animations/VisionSpell/SpellVision.xml";
constexpr int SwellId = 0;
constexpr int FadeId = 2;
const Color Gold(249, 213, 87, 255);

TexItemRenderer* texRendererOf(ItemState* item)
{
    return item ? dynamic_cast<TexItemRenderer*>(item->renderer.get()) : nullptr;
}

} // namespace

HintRenderer::HintRenderer(ScreenBase* host, ResourceManager* manager)
    : resources(manager)
    , player(std::make_unique<AnimationPlayer>(this))
    , screen(host)
{
    enabled = 0;
}

HintRenderer::~HintRenderer() = default;

void HintRenderer::runAction(std::unique_ptr<Action> action, int id)
{
    actions.push_back(std::move(action));
    actions.back()->start(this, id);
}

void HintRenderer::start(ItemState* item, int offset)
{
    // Also after a finished hint: its phase and glow start over.
    reset();
    offsetX = offset;
    active = true;
    target = item;
    if (fireBall && screen)
        screen->safeRemoveWidget(fireBall);
    GLTexture* texture = resources ? resources->findTexture("GUI_PARTICLE_VISION") : nullptr;
    fireBall = new SpellFireBall(texture, 200, screen);
    fireBall->setOwner(this);
    fireBall->setResourceManager(resources);
    fireBall->spreadX = fireBall->spreadY = 0.03f;
    fireBall->spawnRangeX = fireBall->spawnRangeY = 2;
    fireBall->setTint(Gold);
    if (screen)
        screen->addWidget(fireBall);
    Particle settings;
    settings.lifetime = 1000;
    settings.vx = settings.vy = 0.5f;
    settings.ay = 0.05f;
    fireBall->setSource(924, 676);
    fireBall->setTarget(512, 384);
    fireBall->emit(settings);
    fireBall->castAt(nullptr, offsetX);
}

void HintRenderer::onArrived()
{
    if (fireBall)
        fireBall->setVisible(false);
    SpellFireBall::silhouetteOf(target, resources);
    zoom = 1.0f;
    phase = 1;
    glowAlpha = 255;
    glowX = 512.0f;
    glowY = 384.0f;
    if (target && target->item) {
        if (TexItemRenderer* renderer = texRendererOf(target))
            if (GLTexture* picture = renderer->getTexture()) {
                itemCentreX = static_cast<int>(static_cast<float>(picture->getWidth() / 2 + offsetX) + target->item->x);
                itemCentreY = picture->getHeight() / 2 + static_cast<int>(target->item->y);
            }
    }
    const float itemX = target && target->item ? static_cast<float>(static_cast<int>(offsetX + target->item->x)) : 512.0f;
    const float itemY = target && target->item ? static_cast<float>(static_cast<int>(target->item->y)) : 384.0f;
    auto flight = std::make_unique<ParalelAction>();
    flight->add(std::make_unique<RelIncrementator<float>>(Duration(StepMs), &zoom, -1.5f));
    flight->add(std::make_unique<RelIncrementator<float>>(Duration(StepMs), &glowX, itemX - 512.0f));
    flight->add(std::make_unique<RelIncrementator<float>>(Duration(StepMs), &glowY, itemY - 384.0f));
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<RelIncrementator<float>>(Duration(StepMs), &zoom, 1.5f));
    sequence->add(std::move(flight));
    runAction(std::move(sequence), SwellId);
}

void HintRenderer::onActionFinished(int32_t id)
{
    if (id == SwellId) {
        runAction(std::make_unique<RelIncrementator<int32_t>>(Duration(StepMs), &glowAlpha, -255), FadeId);
        if (player->loadAnimation(AnimationId, AnimationPath))
            player->playAnimation(AnimationId, 0, itemCentreX - 64, itemCentreY - 64, screen);
    } else if (id == FadeId || id == 3) {
        active = false;
    }
}

void HintRenderer::onAnimationFinished(int32_t id)
{
    if (id != AnimationId)
        return;
    player->stopAnimation(AnimationId);
    player->removeAnimation(AnimationId, screen);
    if (auto* scene = dynamic_cast<QDScene*>(screen))
        scene->setAutoScroll(true);
}

void HintRenderer::reset()
{
    // Every step of the hint ends, the fade too: a fade left running would
    // end the next hint when it ran out.
    for (auto& action : actions)
        action->stop();
    active = false;
    zoom = 1.0f;
    target = nullptr;
    glowAlpha = 0;
    offsetX = 0;
    phase = -1;
}

void HintRenderer::update(int dt, ScreenBase*)
{
    for (size_t i = 0; i < actions.size(); ++i)
        actions[i]->update(dt);
    actions.erase(std::remove_if(actions.begin(), actions.end(), [](const auto& a) { return !a->isRunning(); }),
                  actions.end());
}

void HintRenderer::draw(Graphics& g, ScreenBase*)
{
    if (!active || phase != 1)
        return;
    TexItemRenderer* renderer = texRendererOf(target);
    GLTexture* silhouette = renderer ? renderer->filteredTexture(SpellFireBall::SilhouetteCopyId) : nullptr;
    if (!silhouette)
        return;
    const float hw = static_cast<float>(silhouette->getWidth()) / 2.0f;
    const float hh = static_cast<float>(silhouette->getHeight()) / 2.0f;
    g.pushTransform();
    g.translate(glowX + hw, glowY + hh);
    g.scale(zoom, zoom);
    g.translate(-hw, -hh);
    g.drawImage(0, 0, silhouette, Color(Gold.r, Gold.g, Gold.b, static_cast<uint8_t>(std::clamp(glowAlpha, 0, 255))));
    g.popTransform();
}
