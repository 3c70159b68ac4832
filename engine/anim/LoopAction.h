#pragma once
// Runs one child action `count` times (once for a count of 0 or 1), or until
// stopped for a count of -1. The loop owns its child.
//
// The child always runs on game-clock time: update(dt) is the default (a
// step), so a fed dt is ignored and the child is stepped, wherever the loop
// sits (a sequence fed frame time passes update on to it).
//
// The child is started with the loop as listener and id -1, and is restarted
// in the same call in which it ended, so a repeated child loses no frame. A
// child that ends while it is being started (an empty composite) is counted
// in the loop's next update or step instead: a loop over it cannot recurse
// without end.
#include "engine/anim/Action.h"
#include "engine/anim/ActionListener.h"

class LoopAction : public Action, public ActionListener {
public:
    static constexpr int32_t Forever = -1;

    // A null child makes the loop end at its first update or step.
    LoopAction(std::unique_ptr<Action> child, int32_t count);
    LoopAction(const LoopAction&) = delete;
    LoopAction& operator=(const LoopAction&) = delete;
    ~LoopAction() override;

    void start(ActionListener* listener, int32_t id) override;
    // Steps the child (update(dt) does the same and ignores dt).
    void step() override;
    // Stops the child, then clears running; nobody is told.
    void stop() override;
    std::unique_ptr<Action> clone() const override;
    // The child's end: counts the run, then restarts the child or ends.
    void onActionFinished(int32_t id) override;

    // Runs of the child completed since start (stays 0 for Forever).
    int32_t completedRuns() const { return done; }

private:
    void startChild();
    void childEnded();

    std::unique_ptr<Action> child;
    int32_t count;
    int32_t done = 0;
    bool startingChild = false;
    bool endedWhileStarting = false;
};
