#pragma once
// The interface an animation player's owner implements to hear of the ends
// of the player's animations. It adds nothing to AnimationListener; it names
// the role.
#include "engine/ui/AnimationListener.h"

class AnimationPlayerListener : public AnimationListener {
};
