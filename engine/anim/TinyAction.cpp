#include "engine/anim/TinyAction.h"

#include "engine/anim/ActionListener.h"

void TinyAction::update(int32_t)
{
}

void TinyAction::start(ActionListener* listener_, int32_t id_)
{
    listener = listener_;
    id = id_;
    running = true;
}

void TinyAction::stop()
{
    running = false;
}

void TinyAction::finish()
{
    running = false;
    if (listener)
        listener->onActionFinished(id);
}

// ---------------------------------------------------------------------------

TinyActionDelay::TinyActionDelay(const TinyDuration& duration_)
    : duration(duration_)
{
}

void TinyActionDelay::start(ActionListener* listener_, int32_t id_)
{
    duration.reset();
    TinyAction::start(listener_, id_);
}

void TinyActionDelay::update(int32_t dt)
{
    duration.add(dt);
    if (running && duration.elapsed() >= duration.length())
        finish();
}

std::unique_ptr<TinyAction> TinyActionDelay::clone() const
{
    return std::unique_ptr<TinyAction>(new TinyActionDelay(*this));
}
