#include "engine/ui/AnimationPlayer.h"

#include "engine/anim/MathFunction.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/Animation2D.h"
#include "engine/ui/AnimationFile.h"
#include "engine/ui/ScreenBase.h"

AnimationPlayer::AnimationPlayer(AnimationPlayerListener* listener_) : listener(listener_)
{
    if (AppContext* app = appContext()) {
        int slot = -1;
        resources = app->createResourceManager(slot);
        if (resources) {
            resourceSlot = slot;
            resourceOwner = app;
        }
    }
    if (!resources) {
        ownResources = std::make_unique<ResourceManager>();
        resources = ownResources.get();
    }
    using LinearFunctor = CustomFunctor<AnimationPlayer, float, float, MathFunctionProperty*>;
    addInterpolator(std::make_unique<MathFunction>(std::make_unique<LinearFunctor>(this, &AnimationPlayer::linear),
                                                   std::make_unique<MathFunctionPropertyLinear>(0.6f)),
                    0);
}

AnimationPlayer::~AnimationPlayer()
{
    // Animations on screens outlive the player; cut them off before the
    // textures go. Those still owned here are deleted with the table.
    for (auto& item : animations)
        item.second.animation->detachFromPlayer();
    animations.clear();
    interpolators.clear();
    ownResources.reset();
    // The application deletes its extra managers itself when it goes first.
    if (resourceSlot >= 0 && appContext() == resourceOwner)
        resourceOwner->destroyResourceManager(resourceSlot);
}

bool AnimationPlayer::loadAnimation(int32_t id, const std::string& path)
{
    if (animations.count(id))
        return true;
    AnimationDesc desc;
    std::string reason;
    if (!AnimationFile::read(path, desc, reason)) {
        logError("AnimationPlayer: animation " + std::to_string(id) + " not loaded from " + path + ": " + reason);
        return false;
    }
    auto animation = std::make_unique<Animation2D>(this, id, path);
    animation->build(desc);
    animation->loadTextures(*resources);
    Animation2D* raw = animation.get();
    animations.emplace(id, Entry{raw, std::move(animation)});
    return true;
}

void AnimationPlayer::playAnimation(int32_t id, int32_t zOffset, int32_t x, int32_t y, ScreenBase* screen)
{
    Entry* entry = find(id);
    if (!entry)
        return;
    Animation2D* animation = entry->animation;
    animation->restart(zOffset);
    if (!animation->isPrepared() || !screen)
        return;
    if (!entry->owned) {
        // Already on a screen, which owns it: a second add would make two
        // owners.
        animation->setPosition(x, y);
        return;
    }
    animation->setEnabled(false);
    screen->addWidget(entry->owned.release());  // the screen owns it now
    animation->setHostScreen(screen);
    animation->setPosition(x, y);
}

void AnimationPlayer::restartAnimation(int32_t id, int32_t zOffset)
{
    if (Entry* entry = find(id))
        entry->animation->restart(zOffset);
}

void AnimationPlayer::stopAnimation(int32_t id)
{
    if (Entry* entry = find(id))
        entry->animation->stop();
}

void AnimationPlayer::pauseAnimation(int32_t id)
{
    if (Entry* entry = find(id))
        entry->animation->setPaused(true);
}

void AnimationPlayer::resumeAnimation(int32_t id)
{
    if (Entry* entry = find(id))
        entry->animation->setPaused(false);
}

void AnimationPlayer::removeAnimation(int32_t id, ScreenBase* screen)
{
    const auto it = animations.find(id);
    if (it == animations.end() || !screen)
        return;
    Animation2D* animation = it->second.animation;
    // From now on the animation is on its own: its player may be gone by
    // the time its screen deletes it.
    animation->detachFromPlayer();
    if (!it->second.owned) {
        // Through the screen that owns it, which need not be `screen`.
        animation->getHostScreen()->safeRemoveWidget(animation);
    }
    animations.erase(it);
}

void AnimationPlayer::moveAnimation(int32_t id, int32_t x, int32_t y)
{
    Entry* entry = find(id);
    if (entry && entry->animation->isPrepared())
        entry->animation->setPosition(x, y);
}

Animation2D* AnimationPlayer::findAnimation(int32_t id) const
{
    const auto it = animations.find(id);
    return it == animations.end() ? nullptr : it->second.animation;
}

void AnimationPlayer::addInterpolator(std::unique_ptr<MathFunction> function, int32_t id)
{
    if (function)
        interpolators.push_back(Interpolator{std::move(function), id});
}

MathFunction* AnimationPlayer::findInterpolator(int32_t id) const
{
    for (const Interpolator& entry : interpolators) {
        if (entry.id == id)
            return entry.function.get();
    }
    return nullptr;
}

void AnimationPlayer::onAnimationFinished(int32_t id)
{
    // The listener may delete this player: nothing may follow the call.
    if (listener)
        listener->onAnimationFinished(id);
}

void AnimationPlayer::forgetAnimation(const Animation2D* animation)
{
    for (auto it = animations.begin(); it != animations.end(); ++it) {
        if (it->second.animation == animation) {
            // Deleted by its screen; an animation the player owns is never
            // deleted by anybody else.
            (void)it->second.owned.release();
            animations.erase(it);
            return;
        }
    }
}

float AnimationPlayer::linear(float x, MathFunctionProperty* property)
{
    if (property && property->kind() == MathFunctionPropertyLinear::Kind)
        return x * static_cast<MathFunctionPropertyLinear*>(property)->slope();
    return x;
}

AnimationPlayer::Entry* AnimationPlayer::find(int32_t id)
{
    const auto it = animations.find(id);
    return it == animations.end() ? nullptr : &it->second;
}
