#include "scenes/VisibilitySpell.h"

#include "engine/anim/Tweens.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/ScreenBase.h"
#include "scenes/QDScene.h"

namespace {

const char* const AnimationPath = "content/animations/VisibilitySpell/SpellVisibility.xml";

GLTexture* particleTexture(ScreenBase* screen)
{
    return screen && screen->getResources() ? screen->getResources()->findTexture("GUI_PARTICLE_VISIBILITY")
                                            : nullptr;
}

} // namespace

VisibilitySpell::VisibilitySpell(ScreenBase* host, int32_t count)
    : SpellFireBall(particleTexture(host), count, host)
    , player(std::make_unique<AnimationPlayer>(this))
{
    tint = Color(151, 105, 228, 255);
}

// An animation left on the screen stays there, silent (AnimationPlayer).
VisibilitySpell::~VisibilitySpell() = default;

void VisibilitySpell::castAt(ItemState* item, int offset)
{
    SpellFireBall::castAt(item, offset);
    // A missing file leaves the glow without its animation.
    (void)player->loadAnimation(AnimationId, AnimationPath);
}

void VisibilitySpell::onArrived()
{
    startEffect(std::make_unique<RelIncrementator<int32_t>>(Duration(FadeMs), &highlightAlpha, -255));
    phase = AtTarget;
    player->playAnimation(AnimationId, 0, static_cast<int>(dstX) - 64, static_cast<int>(dstY) - 64, screen);
}

void VisibilitySpell::onAnimationFinished(int32_t id)
{
    if (id != AnimationId)
        return;
    player->stopAnimation(AnimationId);
    player->removeAnimation(AnimationId, screen);
    if (auto* scene = dynamic_cast<QDScene*>(screen))
        scene->setAutoScroll(true);
}
