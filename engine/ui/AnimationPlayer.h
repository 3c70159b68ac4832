#pragma once
// Loads key-framed animation files (see AnimationFile.h) under integer ids
// chosen by its owner, plays them as widgets on screens and passes the end of
// every animation that does not loop on to its listener.
//
// Ownership: the player owns an animation from its load until it is played
// onto a screen; from then on the screen owns the widget (and deletes it
// after removeAnimation, or with the screen). The player keeps the textures
// of all its animations in one resource manager, under the full path of each
// picture: the application's extra manager when an application is installed
// (so the pictures come back after the GL context is re-created), otherwise
// one of its own. Destroying the player deletes the animations it still
// owns, its interpolators and that manager; animations it left on screens
// stay there but draw and report nothing.
//
// Ids that are not loaded are ignored by every operation.
#include "engine/ui/AnimationPlayerListener.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class Animation2D;
class AppContext;
class MathFunction;
class MathFunctionProperty;
class ResourceManager;
class ScreenBase;

class AnimationPlayer : public AnimationPlayerListener {
public:
    // The listener may be null and is not owned. Registers the linear
    // interpolator (slope 0.6) under id 0.
    explicit AnimationPlayer(AnimationPlayerListener* listener = nullptr);
    ~AnimationPlayer() override;
    AnimationPlayer(const AnimationPlayer&) = delete;
    AnimationPlayer& operator=(const AnimationPlayer&) = delete;

    // Reads the file into a new animation under `id`. An id already loaded
    // keeps its animation, the file is not read, and the result is true. A
    // file that cannot be read, or lacks an element or attribute, leaves the
    // id unloaded, prints one line naming the id, the path and the reason,
    // and gives false.
    [[nodiscard]] bool loadAnimation(int32_t id, const std::string& path);
    // Restarts the animation (restartAnimation) and, with a screen, puts it
    // on that screen at (x, y) with its input off; the screen owns it from
    // then on. An animation already on a screen is not added again: it is
    // only restarted and moved.
    void playAnimation(int32_t id, int32_t zOffset, int32_t x, int32_t y, ScreenBase* screen);
    // Builds the animation's actions when it has none (with this z offset)
    // and starts every action that is not running.
    void restartAnimation(int32_t id, int32_t zOffset);
    // Stops and drops the actions and returns every element to its first
    // key frame. Safe from inside the animation's own end report.
    void stopAnimation(int32_t id);
    // A paused animation is drawn but not advanced.
    void pauseAnimation(int32_t id);
    void resumeAnimation(int32_t id);
    // With a screen: the id is unloaded, and an animation on a screen is
    // taken off it now and deleted by its screen in the screen's next update
    // (one never played is deleted at once). With a null screen nothing
    // happens.
    void removeAnimation(int32_t id, ScreenBase* screen);
    // Moves a prepared animation (position notifications included).
    void moveAnimation(int32_t id, int32_t x, int32_t y);
    // The animation under the id, or null.
    Animation2D* findAnimation(int32_t id) const;

    // Adds an interpolator under `id` (the first one of an id is used).
    void addInterpolator(std::unique_ptr<MathFunction> function, int32_t id);
    // The first interpolator with the id, or null.
    MathFunction* findInterpolator(int32_t id) const;

    // Passes the id on to the listener.
    void onAnimationFinished(int32_t id) override;

    // Holds the textures of this player's animations.
    ResourceManager* getResources() const { return resources; }

private:
    // An animation that is being deleted calls forgetAnimation.
    friend class Animation2D;

    struct Entry {
        Animation2D* animation;  // never null
        // Set while the player owns the animation, empty once a screen does.
        std::unique_ptr<Animation2D> owned;
    };
    struct Interpolator {
        std::unique_ptr<MathFunction> function;
        int32_t id;
    };

    // The interpolator bound under id 0: x times the slope of a linear
    // parameter set (x itself for other sets).
    float linear(float x, MathFunctionProperty* property);
    Entry* find(int32_t id);
    void forgetAnimation(const Animation2D* animation);

    std::map<int32_t, Entry> animations;
    std::vector<Interpolator> interpolators;
    AnimationPlayerListener* listener;  // not owned
    // The application's slot of `resources`, -1 when it is ownResources.
    int32_t resourceSlot = -1;
    AppContext* resourceOwner = nullptr;  // the application that made it
    ResourceManager* resources = nullptr;
    std::unique_ptr<ResourceManager> ownResources;
};
