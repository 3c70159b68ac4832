#include "engine/anim/TinyCompositeAction.h"

TinyCompositeAction::~TinyCompositeAction() = default;

void TinyCompositeAction::add(std::unique_ptr<TinyAction> child)
{
    if (child)
        children.push_back(std::move(child));
}

void TinyCompositeAction::stop()
{
    for (auto& child : children)
        child->stop();
    TinyAction::stop();
}

void TinyCompositeAction::onActionFinished(int32_t)
{
}

void TinyCompositeAction::copyFrom(const TinyCompositeAction& other)
{
    id = other.id;
    listener = other.listener;
    running = other.running;
    for (const auto& child : other.children) {
        children.push_back(child->clone());
        children.back()->replaceListener(&other, this);
    }
}

// ---------------------------------------------------------------------------

void TinyActionSequence::start(ActionListener* listener_, int32_t id_)
{
    index = 0;
    TinyAction::start(listener_, id_);
    if (children.empty()) {
        finish();
        return;
    }
    children[0]->start(this, 0);
}

void TinyActionSequence::update(int32_t dt)
{
    if (!running)
        return;
    const int32_t count = static_cast<int32_t>(children.size());
    if (index < count && children[index]->isRunning()) {
        children[index]->update(dt);
        return;
    }
    ++index;
    if (index < count) {
        children[index]->start(this, index);
        return;
    }
    finish();
}

std::unique_ptr<TinyAction> TinyActionSequence::clone() const
{
    auto copy = std::make_unique<TinyActionSequence>();
    copy->copyFrom(*this);
    copy->index = index;
    return copy;
}

// ---------------------------------------------------------------------------

void TinyParalelAction::start(ActionListener* listener_, int32_t id_)
{
    TinyAction::start(listener_, id_);
    if (children.empty()) {
        finish();
        return;
    }
    for (std::size_t i = 0; i < children.size(); ++i)
        children[i]->start(this, static_cast<int32_t>(i));
}

void TinyParalelAction::update(int32_t dt)
{
    if (!running)
        return;
    bool anyStopped = false;
    for (auto& child : children) {
        child->update(dt);
        if (!child->isRunning())
            anyStopped = true;
    }
    if (!anyStopped)
        return;
    for (auto& child : children)
        child->stop();
    finish();
}

std::unique_ptr<TinyAction> TinyParalelAction::clone() const
{
    auto copy = std::make_unique<TinyParalelAction>();
    copy->copyFrom(*this);
    return copy;
}

// ---------------------------------------------------------------------------

std::unique_ptr<TinyAction> then(std::unique_ptr<TinyAction> first, std::unique_ptr<TinyAction> next)
{
    if (auto* sequence = dynamic_cast<TinyActionSequence*>(first.get())) {
        sequence->add(std::move(next));
        return first;
    }
    auto sequence = std::make_unique<TinyActionSequence>();
    sequence->add(std::move(first));
    sequence->add(std::move(next));
    return sequence;
}

std::unique_ptr<TinyAction> parallel(std::unique_ptr<TinyAction> first, std::unique_ptr<TinyAction> other)
{
    if (auto* group = dynamic_cast<TinyParalelAction*>(first.get())) {
        group->add(std::move(other));
        return first;
    }
    auto group = std::make_unique<TinyParalelAction>();
    group->add(std::move(first));
    group->add(std::move(other));
    return group;
}
