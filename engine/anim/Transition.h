#pragma once
// The short effect with which a screen comes in or goes out. The screen
// starts it with itself as listener and an id, updates it every frame while
// it runs and draws it under and over its own content. A transition tells
// its listener once per start, after which it is no longer running; it can
// be started again.
#include <cstdint>

class Graphics;
class TransitionListener;

class Transition {
public:
    Transition() = default;
    virtual ~Transition() = default;
    Transition(const Transition&) = delete;
    Transition& operator=(const Transition&) = delete;

    // Drawn before the screen's content.
    virtual void drawUnder(Graphics& g);
    // Drawn after the screen's content.
    virtual void drawOver(Graphics& g);
    // Advances the effect; dt is the frame time in milliseconds.
    virtual void update(int dt);

    // Remembers the listener (not owned; may be null) and the id, sets the
    // running flag and begins the effect.
    void start(TransitionListener* listener, int id);
    bool isRunning() const { return running != 0; }
    int getId() const { return id; }

protected:
    // Starts the effect; called by start() after the flag is set.
    virtual void begin() = 0;
    // Clears the running flag, then tells the listener. The listener may
    // delete this transition, so callers return right after.
    void finish();

    uint8_t running = 0;
    TransitionListener* listener = nullptr;
    int32_t id = 0;
};
