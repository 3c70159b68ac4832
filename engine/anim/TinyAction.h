#pragma once
// The light actions of the key-frame animation. They know no clock: time
// reaches them only through update(dt) in milliseconds, once per frame. They
// report their end through ActionListener like the full actions (Action.h).
//
// Use: construct; start(listener, id); update(dt) every frame. A stopped or
// finished action ignores update() (except TinyActionDelay, which still counts
// the time; it is reset at its next start). An action may be started again.
//
// Ownership: whoever creates a tiny action owns it (std::unique_ptr); the tiny
// composites and loops own their children. The listener is not owned.
#include <cstdint>
#include <memory>

class ActionListener;

// Time fed to a tiny action, and its length, in milliseconds.
struct TinyDuration {
    explicit TinyDuration(int32_t length_) : elapsedMs(0), lengthMs(length_) {}

    void reset() { elapsedMs = 0; }
    void add(int32_t dt) { elapsedMs += dt; }
    int32_t elapsed() const { return elapsedMs; }
    int32_t length() const { return lengthMs; }

private:
    int32_t elapsedMs;
    int32_t lengthMs;
};

class TinyAction {
public:
    TinyAction() = default;
    TinyAction& operator=(const TinyAction&) = delete;
    virtual ~TinyAction() = default;

    // Advances by dt milliseconds. The default does nothing.
    virtual void update(int32_t dt);
    // Stores the listener (may be null, not owned) and id and sets running.
    virtual void start(ActionListener* listener, int32_t id);
    // Clears running without telling anybody.
    virtual void stop();
    // A new action of the same kind with the same fields, id, listener and
    // running flag included; children are cloned.
    virtual std::unique_ptr<TinyAction> clone() const = 0;

    bool isRunning() const { return running; }
    int32_t getId() const { return id; }

protected:
    TinyAction(const TinyAction&) = default;

    // Clears running, then tells the listener, if any; always the last thing
    // an action does, since the listener may delete it.
    void finish();

    int32_t id = 0;
    ActionListener* listener = nullptr;  // not owned
    bool running = false;

private:
    // A clone of a child still names the original parent as its listener;
    // the parent's clone points it at itself.
    friend class TinyCompositeAction;
    friend class TinyLoopAction;
    void replaceListener(const ActionListener* from, ActionListener* to)
    {
        if (listener == from)
            listener = to;
    }
};

// Waits for its length. A length of 0 or less ends at the first update.
class TinyActionDelay : public TinyAction {
public:
    explicit TinyActionDelay(const TinyDuration& duration);

    // Resets the duration, then runs.
    void start(ActionListener* listener, int32_t id) override;
    // Counts dt (also when not running); when running and the length is
    // reached, ends.
    void update(int32_t dt) override;
    std::unique_ptr<TinyAction> clone() const override;

private:
    TinyDuration duration;
};
