#pragma once
// Told when a play-once sprite-sheet Animation steps while on its last frame.
// The id is the one the owner gave with Animation::setListener, so one
// listener can tell its animations apart.
#include <cstdint>

class SystemAnimationListener {
public:
    virtual ~SystemAnimationListener() = default;
    // Called at every step taken while a play-once animation stands on its
    // last frame (the frame does not move). The listener may delete the
    // animation here: the animation touches nothing of itself after the call.
    virtual void onAnimationEnded(int32_t id) = 0;
};
