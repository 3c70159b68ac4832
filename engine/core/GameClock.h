#pragma once
// The game's pausable millisecond clock. Everything timed reads it, so the
// whole game stands still while the clock is paused (the window has no focus).
#include <cstdint>
#include <functional>

// Source of the raw millisecond timer. The default reads SDL_GetTicks(); tests
// and the headless driver install their own so time is stepped, never slept.
using TickSource = std::function<uint64_t()>;

// Replaces the process-wide tick source; an empty function restores SDL's timer.
void setTickSource(TickSource source);
// The current raw timer value from the process-wide tick source.
uint64_t currentTicks();

class GameClock {
public:
    // A new clock reads 0 and stands still until reset or resumed.
    GameClock();

    // Running again from 0.
    void reset();
    // Does nothing when already paused.
    void pause();
    // Does nothing when not paused.
    void resume();
    // Milliseconds since reset, not counting paused periods.
    uint64_t elapsed() const;
    bool isPaused() const { return paused != 0; }

private:
    int32_t paused;
    uint64_t pausedAt;
    uint64_t start;
};
