#pragma once
// What the application's screen stack asks of a screen. Every operation that
// takes the application receives the running one; screens reach its services
// through appContext().
#include "engine/ui/InputListener.h"
#include <cstdint>

class GameApp;
class Graphics;

class GameState : public InputListener {
public:
    // Shows the screen: loads its resources and pushes it on the stack.
    virtual void show(GameApp* app) = 0;
    // Called by the stack right after the screen was pushed.
    virtual void enter(GameApp* app) = 0;
    // Called by the stack right after the screen was popped; deletes the
    // screen, so the caller must not touch it afterwards.
    virtual void popped(GameApp* app) = 0;
    // Another screen was pushed over this one.
    virtual void deactivate(GameApp* app) = 0;
    // The screen above this one was popped.
    virtual void activate(GameApp* app) = 0;
    // Every screen on the stack is drawn each frame, bottom first.
    virtual void draw(Graphics& g) = 0;
    // Only active screens are updated; dt is the frame time in milliseconds.
    virtual void update(int dt) = 0;
    // Around a change of the GL context (full-screen switch): drop and
    // re-create every GPU copy the screen holds.
    virtual void releaseGL() = 0;
    virtual void reloadGL() = 0;

    // Only active screens receive input and updates.
    bool isActive() const { return active != 0; }
    void setActive(bool on) { active = on ? 1 : 0; }

protected:
    uint8_t active = 1;
};
