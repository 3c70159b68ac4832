#pragma once
// A small timed task driven by its owner: set a value, move a number over a
// time, wait, or a combination of these (CompositeAction.h, LoopAction.h).
//
// Use: construct; start(listener, id); then every frame either update(dt)
// (fed frame time) or step() (the action polls its clock) until it is no
// longer running, never both for one action. Accelerators and loops run on
// game-clock time whichever of the two drives them (Tweens.h, LoopAction.h).
// At its end an action clears its running flag and tells its listener
// onActionFinished(id). An action that is not running ignores update() and
// step(). It can be started again; a restart begins again from the target's
// current value.
//
// Ownership: whoever creates an action owns it (std::unique_ptr); composites
// and loops own their children. An action never deletes itself, and the
// listener is not owned.
#include "engine/core/Types.h"

#include <cstdint>
#include <memory>

class ActionListener;

class Action : public ReferenceCountable {
public:
    Action() = default;
    Action& operator=(const Action&) = delete;
    ~Action() override = default;

    // Drives the action by dt milliseconds of frame time. The default steps.
    virtual void update(int32_t dt);
    // Drives the action by polling its clock. The default does nothing.
    virtual void step();
    // Stores the listener (may be null, not owned) and id and sets running.
    virtual void start(ActionListener* listener, int32_t id);
    // Clears running without telling anybody.
    virtual void stop();
    // A new action of the same kind with the same fields, children cloned.
    virtual std::unique_ptr<Action> clone() const = 0;

    bool isRunning() const { return running; }
    int32_t getId() const { return id; }

protected:
    // Leaf kinds clone through their copy constructors.
    Action(const Action&) = default;

    // Clears running, then tells the listener, if any. Every kind ends
    // here, as the last thing it does: the listener may delete the action.
    void finish();

    int32_t id = 0;
    ActionListener* listener = nullptr;  // not owned
    bool running = false;

private:
    // A clone of a child still names the original parent as its listener;
    // the parent's clone points it at itself.
    friend class CompositeAction;
    friend class LoopAction;
    void replaceListener(const ActionListener* from, ActionListener* to)
    {
        if (listener == from)
            listener = to;
    }
};
