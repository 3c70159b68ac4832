#include "minigames/SquirrelMotion.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int FullAlpha = 255;

// The accelerated part of `amount` after `u` of `length` ms:
// trunc(amount u^2 / length^2).
int accelerated(int amount, int u, int length)
{
    if (length <= 0)
        return 0;
    const double k = static_cast<double>(u) / length;
    return static_cast<int>(std::trunc(amount * k * k));
}

} // namespace

SquirrelMotion::SquirrelMotion(int move, int delay, int travel)
    : moveMs(std::max(0, move))
    , delayMs(std::max(0, delay))
    , distance(travel)
{
}

void SquirrelMotion::start()
{
    // Even an appearance of no length ends through advance(), which tells
    // the caller.
    phase = Out;
    elapsed = 0;
    offsetNow = 0;
    alphaNow = 0;
}

bool SquirrelMotion::advance(int dt)
{
    if (phase == Resting)
        return false;
    elapsed += std::max(0, dt);
    place();
    return phase == Resting;
}

void SquirrelMotion::place()
{
    if (elapsed < moveMs) {
        phase = Out;
        const int u = moveMs - elapsed;
        offsetNow = distance - accelerated(distance, u, moveMs);
        alphaNow = FullAlpha - accelerated(FullAlpha, u, moveMs);
    } else if (elapsed < moveMs + delayMs) {
        phase = Waiting;
        offsetNow = distance;
        alphaNow = FullAlpha;
    } else if (elapsed < length()) {
        phase = Back;
        const int t = elapsed - moveMs - delayMs;
        offsetNow = distance - accelerated(distance, t, moveMs);
        alphaNow = FullAlpha - accelerated(FullAlpha, t, moveMs);
    } else {
        phase = Resting;
        offsetNow = 0;
        alphaNow = 0;
    }
}
