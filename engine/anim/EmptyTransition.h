#pragma once
// A transition with no effect: it ends as soon as it is started, telling its
// listener before start() returns.
#include "engine/anim/Transition.h"

class EmptyTransition : public Transition {
public:
    EmptyTransition() = default;

protected:
    void begin() override;
};
