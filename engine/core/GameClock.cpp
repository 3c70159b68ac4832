#include "engine/core/GameClock.h"

#include <SDL.h>
#include <utility>

namespace {
TickSource& tickSource()
{
    static TickSource source;
    return source;
}
}

void setTickSource(TickSource source)
{
    tickSource() = std::move(source);
}

uint64_t currentTicks()
{
    const TickSource& source = tickSource();
    return source ? source() : static_cast<uint64_t>(SDL_GetTicks());
}

GameClock::GameClock()
    : paused(1), pausedAt(currentTicks()), start(pausedAt)
{
}

void GameClock::reset()
{
    start = pausedAt = currentTicks();
    paused = 0;
}

void GameClock::pause()
{
    if (paused)
        return;
    pausedAt = currentTicks();
    paused = 1;
}

void GameClock::resume()
{
    if (!paused)
        return;
    start += currentTicks() - pausedAt;
    paused = 0;
}

uint64_t GameClock::elapsed() const
{
    return paused ? pausedAt - start : currentTicks() - start;
}
