#include "engine/anim/LoopAction.h"

LoopAction::LoopAction(std::unique_ptr<Action> child_, int32_t count_)
    : child(std::move(child_)), count(count_)
{
}

LoopAction::~LoopAction() = default;

void LoopAction::start(ActionListener* listener_, int32_t id_)
{
    // Running and counting before the child starts, so that a child ending
    // during its start finds the loop ready.
    Action::start(listener_, id_);
    done = 0;
    endedWhileStarting = false;
    if (child)
        startChild();
}

void LoopAction::step()
{
    if (!running)
        return;
    if (!child) {
        finish();
        return;
    }
    if (endedWhileStarting) {
        endedWhileStarting = false;
        childEnded();
        return;
    }
    child->step();
}

void LoopAction::stop()
{
    if (child)
        child->stop();
    endedWhileStarting = false;
    Action::stop();
}

std::unique_ptr<Action> LoopAction::clone() const
{
    auto copy = std::make_unique<LoopAction>(child ? child->clone() : nullptr, count);
    copy->id = id;
    copy->listener = listener;
    copy->running = running;
    copy->done = done;
    copy->endedWhileStarting = endedWhileStarting;
    if (copy->child)
        copy->child->replaceListener(this, copy.get());
    return copy;
}

void LoopAction::onActionFinished(int32_t)
{
    if (!running)
        return;
    if (startingChild) {
        endedWhileStarting = true;
        return;
    }
    childEnded();
}

void LoopAction::startChild()
{
    startingChild = true;
    child->start(this, -1);
    startingChild = false;
}

void LoopAction::childEnded()
{
    if (count != Forever)
        ++done;
    if (count == Forever || done < count) {
        startChild();
        return;
    }
    finish();
}
