#include "engine/anim/Action.h"

#include "engine/anim/ActionListener.h"

void Action::update(int32_t)
{
    step();
}

void Action::step()
{
}

void Action::start(ActionListener* listener_, int32_t id_)
{
    listener = listener_;
    id = id_;
    running = true;
}

void Action::stop()
{
    running = false;
}

void Action::finish()
{
    running = false;
    if (listener)
        listener->onActionFinished(id);
}
