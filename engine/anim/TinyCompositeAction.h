#pragma once
// Tiny actions made of other tiny actions: TinyActionSequence (one after
// another) and TinyParalelAction (side by side). A composite owns its
// children and deletes them with itself; clone() clones them.
//
// A composite is the listener of its children and ignores their reports: it
// looks at their running flags during its own update.
#include "engine/anim/ActionListener.h"
#include "engine/anim/TinyAction.h"

#include <cstddef>
#include <memory>
#include <vector>

class TinyCompositeAction : public TinyAction, public ActionListener {
public:
    TinyCompositeAction(const TinyCompositeAction&) = delete;
    TinyCompositeAction& operator=(const TinyCompositeAction&) = delete;
    ~TinyCompositeAction() override;

    // Appends a child, which the composite then owns. Null is ignored.
    void add(std::unique_ptr<TinyAction> child);
    // Stops every child in order, then clears running; nobody is told.
    void stop() override;
    // Children's reports are ignored (see above).
    void onActionFinished(int32_t id) override;

    std::size_t childCount() const { return children.size(); }

protected:
    TinyCompositeAction() = default;
    // Copies id, listener and running flag and appends clones of `other`'s
    // children (for clone()).
    void copyFrom(const TinyCompositeAction& other);

    std::vector<std::unique_ptr<TinyAction>> children;
};

// Runs its children one after another and ends after the last. Moving from
// one child to the next takes one update: the next child is started (with
// the sequence as listener and its index as id) in the update after its
// predecessor ended and gets no time in it.
class TinyActionSequence : public TinyCompositeAction {
public:
    TinyActionSequence() = default;

    // Starts child 0; with no children, ends at once.
    void start(ActionListener* listener, int32_t id) override;
    void update(int32_t dt) override;
    std::unique_ptr<TinyAction> clone() const override;

private:
    int32_t index = 0;
};

// Runs its children side by side and ends in the update in which ANY child
// has stopped running (the animation gives all children of a group the same
// length). The children still running then are stopped, so a finished group
// leaves none running.
class TinyParalelAction : public TinyCompositeAction {
public:
    TinyParalelAction() = default;

    // Starts every child in order (index as id); with no children, ends at
    // once.
    void start(ActionListener* listener, int32_t id) override;
    void update(int32_t dt) override;
    std::unique_ptr<TinyAction> clone() const override;
};

// `first`, then `next`, as one sequence owning both; appends to `first` when
// it already is a TinyActionSequence. Null arguments are skipped.
std::unique_ptr<TinyAction> then(std::unique_ptr<TinyAction> first, std::unique_ptr<TinyAction> next);
// `first` beside `other`, as one group owning both; adds to `first` when it
// already is a TinyParalelAction. Null arguments are skipped.
std::unique_ptr<TinyAction> parallel(std::unique_ptr<TinyAction> first, std::unique_ptr<TinyAction> other);
