#pragma once
// Actions made of other actions: ActionSequence (one after another) and
// ParalelAction (side by side). A composite owns its children and deletes
// them with itself; clone() clones them.
//
// A composite is the listener of its children and ignores their reports: it
// notices a child's end by its running flag at the next update or step, so
// moving on from a child always takes one more call.
#include "engine/anim/Action.h"
#include "engine/anim/ActionListener.h"

#include <cstddef>
#include <memory>
#include <vector>

class CompositeAction : public Action, public ActionListener {
public:
    CompositeAction(const CompositeAction&) = delete;
    CompositeAction& operator=(const CompositeAction&) = delete;
    ~CompositeAction() override;

    // Appends a child, which the composite then owns. Null is ignored.
    void add(std::unique_ptr<Action> child);
    // Stops every child, then clears running; nobody is told.
    void stop() override;
    // Children's reports are ignored (see above).
    void onActionFinished(int32_t id) override;

    std::size_t childCount() const { return children.size(); }

protected:
    CompositeAction() = default;
    // Appends clones of `other`'s children (for clone()).
    void addClonesOf(const CompositeAction& other);
    // Copies id, listener and running flag (for clone()).
    void copyStateFrom(const CompositeAction& other);

    std::vector<std::unique_ptr<Action>> children;
};

// Runs its children one after another and ends after the last. A child is
// started (with the sequence as listener and its index as id) in the call
// after the previous one ended and gets no time in that call.
class ActionSequence : public CompositeAction {
public:
    ActionSequence() = default;

    // Starts child 0; with no children, ends at once.
    void start(ActionListener* listener, int32_t id) override;
    // Passes the time to the current child while it runs, else moves on.
    void update(int32_t dt) override;
    // As update(), passing step() on.
    void step() override;
    std::unique_ptr<Action> clone() const override;

private:
    // One update or step; `fed` tells which to pass to the child.
    void advance(bool fed, int32_t dt);

    int32_t index = 0;
};

// Runs its children side by side (each with the group as listener and its
// index as id) and ends in the call after the last running child ended.
class ParalelAction : public CompositeAction {
public:
    ParalelAction() = default;

    // Starts every child; with no children, ends at once.
    void start(ActionListener* listener, int32_t id) override;
    // Passes the time to every running child; ends when none was running.
    void update(int32_t dt) override;
    // As update(), passing step() on.
    void step() override;
    std::unique_ptr<Action> clone() const override;

private:
    void advance(bool fed, int32_t dt);
};

// `first`, then `next`, as one sequence owning both. When `first` already is
// an ActionSequence, `next` is appended to it and `first` is returned, so
// then(then(a, b), c) is one sequence of three. Null arguments are skipped.
std::unique_ptr<Action> then(std::unique_ptr<Action> first, std::unique_ptr<Action> next);
// `first` beside `other`, as one group owning both. When `first` already is a
// ParalelAction, `other` is added to it and `first` is returned. Null
// arguments are skipped.
std::unique_ptr<Action> parallel(std::unique_ptr<Action> first, std::unique_ptr<Action> other);
