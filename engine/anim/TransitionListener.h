#pragma once
// Told by a Transition, with the id it was started with, when it has ended.
class TransitionListener {
public:
    virtual ~TransitionListener() = default;
    virtual void onTransitionFinished(int id) = 0;
};
