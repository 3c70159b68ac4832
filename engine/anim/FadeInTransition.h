#pragma once
// Black fading away over the whole window: a black rectangle drawn over the
// screen whose alpha goes from 255 to 0 over the duration.
//
// The alpha moves by a RelIncrementator. Its time is the application's
// pausable game clock when an application is installed at begin() (the fade
// stands still while the window has no focus), else the frame milliseconds
// given to update(). The alpha reaches its end value in the update in which
// the duration has passed; the listener is told in the update after that
// one, so the end value is drawn at least once.
#include "engine/anim/Transition.h"
#include <cstdint>
#include <memory>

class Action;

class FadeInTransition : public Transition {
public:
    explicit FadeInTransition(int durationMs);
    ~FadeInTransition() override;

    // Black at the current alpha over the whole window; nothing without an
    // installed application.
    void drawOver(Graphics& g) override;
    // Nothing when not running.
    void update(int dt) override;

    int getAlpha() const { return alpha; }
    int getDuration() const { return duration; }

protected:
    void begin() override;
    // Replaces the alpha action by one from `from` by `delta` over the
    // duration and starts it.
    void startFade(int from, int delta);

private:
    int32_t alpha = 255;
    int32_t duration;
    std::unique_ptr<Action> alphaAction;
    // Whether the action polls the game clock (else it is fed the frame time).
    bool onClock = false;
};
