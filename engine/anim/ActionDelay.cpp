#include "engine/anim/ActionDelay.h"

ActionDelay::ActionDelay(const Duration& duration_)
    : duration(duration_)
{
}

void ActionDelay::start(ActionListener* listener_, int32_t id_)
{
    duration.restart();
    Action::start(listener_, id_);
}

void ActionDelay::step()
{
    if (running && duration.elapsed() >= duration.length())
        finish();
}

void ActionDelay::update(int32_t dt)
{
    if (!running)
        return;
    duration.add(dt);
    step();
}

std::unique_ptr<Action> ActionDelay::clone() const
{
    return std::unique_ptr<Action>(new ActionDelay(*this));
}
