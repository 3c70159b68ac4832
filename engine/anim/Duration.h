#pragma once
// The length of a timed action and the time it has run.
//
// Time comes from one of two sources, chosen by use:
//  - clock time: the elapsed time of a GameClock since the last restart(), so
//    a paused clock stops the action;
//  - fed time: the milliseconds given to add(). The first add() switches the
//    duration to fed time for good; restart() keeps that choice.
// An owner drives an action by one source only.
#include <cstdint>

class GameClock;

class Duration {
public:
    // `clock` (not owned; it must outlive the duration) gives clock time; null
    // means the application's clock, looked up at each restart(). When neither
    // exists (no application, as in unit tests), clock time stands at 0 and
    // only fed time moves the action.
    explicit Duration(int32_t lengthMs, const GameClock* clock = nullptr);

    // Elapsed time back to 0: for clock time the start becomes the clock's now;
    // for fed time the accumulated time is cleared.
    void restart();
    // Feeds dt milliseconds and switches to fed time for good.
    void add(int32_t dt);
    // Fed: the time fed since the last restart. Clock: the clock's time since
    // the last restart (0 before the first restart, never negative).
    int32_t elapsed() const;
    int32_t length() const { return lengthMs; }
    // A new length, for an action that is reused rather than rebuilt.
    void setLength(int32_t ms) { lengthMs = ms; }
    bool isManual() const { return manual; }

private:
    const GameClock* clock;       // not owned; as given to the constructor
    const GameClock* runClock;    // not owned; the clock read since restart()
    bool manual = false;
    int32_t accumulated = 0;
    int32_t lengthMs;
    uint64_t start = 0;           // runClock's elapsed time at restart()
};
