#pragma once
// Told when a timed action ends. Every action carries the id its owner gave it
// at start, so one listener can tell its actions apart.
#include <cstdint>

class ActionListener {
public:
    virtual ~ActionListener() = default;
    // Called once per run, after the action has cleared its running flag. The
    // listener may delete the action here: the action touches nothing of
    // itself after the call.
    virtual void onActionFinished(int32_t id) = 0;
};
