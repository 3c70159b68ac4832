#include "engine/anim/CompositeAction.h"

CompositeAction::~CompositeAction() = default;

void CompositeAction::add(std::unique_ptr<Action> child)
{
    if (child)
        children.push_back(std::move(child));
}

void CompositeAction::stop()
{
    for (auto& child : children)
        child->stop();
    Action::stop();
}

void CompositeAction::onActionFinished(int32_t)
{
}

void CompositeAction::addClonesOf(const CompositeAction& other)
{
    for (const auto& child : other.children) {
        children.push_back(child->clone());
        children.back()->replaceListener(&other, this);
    }
}

void CompositeAction::copyStateFrom(const CompositeAction& other)
{
    id = other.id;
    listener = other.listener;
    running = other.running;
}

// ---------------------------------------------------------------------------

void ActionSequence::start(ActionListener* listener_, int32_t id_)
{
    index = 0;
    Action::start(listener_, id_);
    if (children.empty()) {
        finish();
        return;
    }
    children[0]->start(this, 0);
}

void ActionSequence::update(int32_t dt)
{
    advance(true, dt);
}

void ActionSequence::step()
{
    advance(false, 0);
}

void ActionSequence::advance(bool fed, int32_t dt)
{
    if (!running)
        return;
    const int32_t count = static_cast<int32_t>(children.size());
    if (index < count && children[index]->isRunning()) {
        if (fed)
            children[index]->update(dt);
        else
            children[index]->step();
        return;
    }
    ++index;
    if (index < count) {
        children[index]->start(this, index);
        return;
    }
    finish();
}

std::unique_ptr<Action> ActionSequence::clone() const
{
    auto copy = std::make_unique<ActionSequence>();
    copy->copyStateFrom(*this);
    copy->addClonesOf(*this);
    copy->index = index;
    return copy;
}

// ---------------------------------------------------------------------------

void ParalelAction::start(ActionListener* listener_, int32_t id_)
{
    Action::start(listener_, id_);
    if (children.empty()) {
        finish();
        return;
    }
    for (std::size_t i = 0; i < children.size(); ++i)
        children[i]->start(this, static_cast<int32_t>(i));
}

void ParalelAction::update(int32_t dt)
{
    advance(true, dt);
}

void ParalelAction::step()
{
    advance(false, 0);
}

void ParalelAction::advance(bool fed, int32_t dt)
{
    if (!running)
        return;
    int runningChildren = 0;
    for (auto& child : children) {
        if (!child->isRunning())
            continue;
        ++runningChildren;
        if (fed)
            child->update(dt);
        else
            child->step();
    }
    if (runningChildren == 0)
        finish();
}

std::unique_ptr<Action> ParalelAction::clone() const
{
    auto copy = std::make_unique<ParalelAction>();
    copy->copyStateFrom(*this);
    copy->addClonesOf(*this);
    return copy;
}

// ---------------------------------------------------------------------------

std::unique_ptr<Action> then(std::unique_ptr<Action> first, std::unique_ptr<Action> next)
{
    if (auto* sequence = dynamic_cast<ActionSequence*>(first.get())) {
        sequence->add(std::move(next));
        return first;
    }
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::move(first));
    sequence->add(std::move(next));
    return sequence;
}

std::unique_ptr<Action> parallel(std::unique_ptr<Action> first, std::unique_ptr<Action> other)
{
    if (auto* group = dynamic_cast<ParalelAction*>(first.get())) {
        group->add(std::move(other));
        return first;
    }
    auto group = std::make_unique<ParalelAction>();
    group->add(std::move(first));
    group->add(std::move(other));
    return group;
}
