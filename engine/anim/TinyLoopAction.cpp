#include "engine/anim/TinyLoopAction.h"

TinyLoopAction::TinyLoopAction(std::unique_ptr<TinyAction> child_, int32_t count_)
    : child(std::move(child_)), count(count_)
{
}

TinyLoopAction::~TinyLoopAction() = default;

void TinyLoopAction::start(ActionListener* listener_, int32_t id_)
{
    // Running and counting before the child starts, so that a child ending
    // during its start finds the loop ready.
    TinyAction::start(listener_, id_);
    done = 0;
    endedWhileStarting = false;
    if (child)
        startChild();
}

void TinyLoopAction::update(int32_t dt)
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
    child->update(dt);
}

void TinyLoopAction::stop()
{
    if (child)
        child->stop();
    endedWhileStarting = false;
    TinyAction::stop();
}

std::unique_ptr<TinyAction> TinyLoopAction::clone() const
{
    auto copy = std::make_unique<TinyLoopAction>(child ? child->clone() : nullptr, count);
    copy->id = id;
    copy->listener = listener;
    copy->running = running;
    copy->done = done;
    copy->endedWhileStarting = endedWhileStarting;
    if (copy->child)
        copy->child->replaceListener(this, copy.get());
    return copy;
}

void TinyLoopAction::onActionFinished(int32_t)
{
    if (!running)
        return;
    if (startingChild) {
        endedWhileStarting = true;
        return;
    }
    childEnded();
}

void TinyLoopAction::startChild()
{
    startingChild = true;
    child->start(this, -1);
    startingChild = false;
}

void TinyLoopAction::childEnded()
{
    if (count != Forever)
        ++done;
    if (count == Forever || done < count) {
        startChild();
        return;
    }
    finish();
}
