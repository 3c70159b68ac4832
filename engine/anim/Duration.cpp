#include "engine/anim/Duration.h"

#include "engine/core/AppContext.h"
#include "engine/core/GameClock.h"

#include <cstdint>
#include <limits>

Duration::Duration(int32_t lengthMs_, const GameClock* clock_)
    : clock(clock_), runClock(nullptr), lengthMs(lengthMs_)
{
}

void Duration::restart()
{
    accumulated = 0;
    // The application clock is looked up here rather than at construction so
    // that actions built before the application exists still follow it.
    runClock = clock;
    if (!runClock) {
        AppContext* app = appContext();
        runClock = app ? app->getClock() : nullptr;
    }
    start = runClock ? runClock->elapsed() : 0;
}

void Duration::add(int32_t dt)
{
    manual = true;
    accumulated += dt;
}

int32_t Duration::elapsed() const
{
    if (manual)
        return accumulated;
    if (!runClock)
        return 0;
    const uint64_t now = runClock->elapsed();
    // A clock reset after our restart would run backwards: count that as 0.
    if (now <= start)
        return 0;
    const uint64_t diff = now - start;
    const uint64_t cap = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(diff < cap ? diff : cap);
}
