#include "engine/anim/Transition.h"

#include "engine/anim/TransitionListener.h"

void Transition::drawUnder(Graphics&) {}

void Transition::drawOver(Graphics&) {}

void Transition::update(int) {}

void Transition::start(TransitionListener* newListener, int newId)
{
    listener = newListener;
    id = newId;
    running = 1;
    begin();
}

void Transition::finish()
{
    running = 0;
    if (listener)
        listener->onTransitionFinished(id);
}
