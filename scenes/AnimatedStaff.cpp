#include "scenes/AnimatedStaff.h"

#include "engine/anim/Animation.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/store/ConfigFile.h"
#include "scenes/QDScene.h"
#include "scenes/SceneText.h"

#include <algorithm>

namespace {

std::unique_ptr<Action> fade(int32_t* value, int delta, const char* key, int fallback)
{
    return std::make_unique<RelIncrementator<int32_t>>(Duration(std::max(0, getParamInt(key, fallback))), value,
                                                       delta);
}

} // namespace

AnimatedStaff::AnimatedStaff(int x, int y, GLTexture* staff, GLTexture* glow, GLTexture* sheet)
    : staffTexture(staff)
    , glowTexture(glow)
    , sparkleSheet(sheet)
{
    // Sized to its picture, so that the pointer can click it.
    geometry = WidgetGeometry(x, y, 0, staff ? staff->getWidth() : 0, staff ? staff->getHeight() : 0);
}

AnimatedStaff::~AnimatedStaff() = default;

void AnimatedStaff::run(std::unique_ptr<Action> action, int id)
{
    actions.push_back(std::move(action));
    actions.back()->start(this, id);
}

bool AnimatedStaff::isBusy() const
{
    return std::any_of(actions.begin(), actions.end(), [](const auto& a) {
        return a->isRunning() && (a->getId() == SwingId || a->getId() == GlowId);
    });
}

void AnimatedStaff::swing(bool hold)
{
    if (isBusy())
        return;
    moving = true;
    holdGlow = hold;
    const int a = getParamInt("AnimatedStaff.RotationAngle", 12);
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<RelIncrementator<int32_t>>(Duration(400), &angle, a));
    sequence->add(std::make_unique<RelIncrementator<int32_t>>(Duration(200), &angle, -a));
    run(std::move(sequence), SwingId);
    playSceneEffect("STAFF_MOVING");
}

void AnimatedStaff::fadeOutGlow()
{
    run(fade(&glowAlpha, -255, "AnimatedStaff.Glow.FadeOutDuration", 600), FadeOutId);
}

void AnimatedStaff::appear()
{
    staffAlpha = 0;
    sparkle = std::make_unique<Animation>(sparkleSheet, 128, 128, 8, 5, 40, 40);
    sparkle->setMode(Animation::Once);
    sparkle->setListener(this, 0);
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(fade(&staffAlpha, 255, "AnimatedStaff.FadeIn.Duration", 1000));
    run(std::move(sequence), AppearId);
}

void AnimatedStaff::onActionFinished(int32_t id)
{
    switch (id) {
    case SwingId: {
        auto glow = std::make_unique<ActionSequence>();
        glow->add(fade(&glowAlpha, 255, "AnimatedStaff.Glow.FadeInDuration", 400));
        if (!holdGlow)
            glow->add(fade(&glowAlpha, -255, "AnimatedStaff.Glow.FadeOutDuration", 600));
        run(std::move(glow), GlowId);
        break;
    }
    case GlowId:
        moving = false;
        if (scene)
            scene->releaseSpell();
        break;
    case FadeOutId:
        holdGlow = false;
        moving = false;
        break;
    case AppearId:
        sparkleOn = true;
        break;
    default:
        break;
    }
}

void AnimatedStaff::onAnimationEnded(int32_t id)
{
    if (id == 0)
        sparkleOn = false;
}

void AnimatedStaff::update(int dt, ScreenBase*)
{
    // Finished actions are pruned here, outside their own updates.
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i]->isRunning())
            actions[i]->update(dt);
    actions.erase(std::remove_if(actions.begin(), actions.end(), [](const auto& a) { return !a->isRunning(); }),
                  actions.end());
    if (sparkleOn && sparkle)
        sparkle->update(dt);
}

int AnimatedStaff::getSparkleFrame() const
{
    return sparkle ? sparkle->getCurrentFrame() : -1;
}

void AnimatedStaff::draw(Graphics& g, ScreenBase*)
{
    g.translate(static_cast<float>(pivotX), static_cast<float>(pivotY));
    g.rotate(static_cast<float>(angle), 0, 0, 1);
    g.translate(static_cast<float>(-pivotX), static_cast<float>(-pivotY));
    const auto alphaOf = [](int32_t a) { return static_cast<uint8_t>(std::clamp(a, 0, 255)); };
    if (staffTexture)
        g.drawImage(0, 0, staffTexture, Color(255, 255, 255, alphaOf(staffAlpha)));
    if (sparkleOn && sparkle)
        sparkle->draw(g, -6, -34, Color::white());
    if (glowTexture)
        g.drawImage(0, 0, glowTexture, Color(255, 255, 255, alphaOf(glowAlpha)));
}

void AnimatedStaff::onMousePress(MouseEvent*)
{
    swing(false);
}
