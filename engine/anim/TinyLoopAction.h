#pragma once
// Runs one tiny child action `count` times (once for a count of 0 or 1), or
// until stopped for a count of -1. The loop owns its child.
//
// The child is started with the loop as listener and id -1 and is restarted
// in the update in which it ended. A child that ends while it is being
// started (a zero-length incrementator, an empty composite) is counted in the
// loop's next update instead, so a loop over it cannot recurse without end.
#include "engine/anim/ActionListener.h"
#include "engine/anim/TinyAction.h"

class TinyLoopAction : public TinyAction, public ActionListener {
public:
    static constexpr int32_t Forever = -1;

    // A null child makes the loop end at its first update.
    TinyLoopAction(std::unique_ptr<TinyAction> child, int32_t count);
    TinyLoopAction(const TinyLoopAction&) = delete;
    TinyLoopAction& operator=(const TinyLoopAction&) = delete;
    ~TinyLoopAction() override;

    void start(ActionListener* listener, int32_t id) override;
    // Passes dt to the child.
    void update(int32_t dt) override;
    // Stops the child, then clears running; nobody is told.
    void stop() override;
    std::unique_ptr<TinyAction> clone() const override;
    // The child's end: counts the run, then restarts the child or ends.
    void onActionFinished(int32_t id) override;

    // Runs of the child completed since start (stays 0 for Forever).
    int32_t completedRuns() const { return done; }

private:
    void startChild();
    void childEnded();

    std::unique_ptr<TinyAction> child;
    int32_t count;
    int32_t done = 0;
    bool startingChild = false;
    bool endedWhileStarting = false;
};
