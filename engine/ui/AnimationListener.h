#pragma once
// Told when a key-framed animation that does not loop has played to its end.
#include <cstdint>

class AnimationListener {
public:
    virtual ~AnimationListener() = default;
    // `id` is the id under which the animation was loaded into its player.
    // Called from inside the animation's update: the listener may stop,
    // remove or replay animations here (removal is deferred by the screen).
    virtual void onAnimationFinished(int32_t id) = 0;
};
