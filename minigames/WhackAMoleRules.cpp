#include "minigames/WhackAMoleRules.h"

#include <algorithm>

WhackAMoleRules::WhackAMoleRules(int pieceCount, int squirrelCount, int minIntervalMs, int maxIntervalMs,
                                 Random source)
    : random(std::move(source))
    , minInterval(minIntervalMs)
    , maxInterval(maxIntervalMs)
    , pieces(static_cast<size_t>(std::max(0, pieceCount)), Free)
    , out(static_cast<size_t>(std::max(0, squirrelCount)), false)
    , carrying(static_cast<size_t>(std::max(0, squirrelCount)), -1)
{
}

int WhackAMoleRules::randomBelow(int n) const
{
    if (n <= 1 || !random)
        return 0;
    return std::clamp(random(n), 0, n - 1);
}

int WhackAMoleRules::drawInterval()
{
    // Equal bounds (both 0 when the keys are missing) would leave nothing to
    // draw from: the interval is then simply the minimum.
    const int ms = maxInterval > minInterval ? minInterval + randomBelow(maxInterval - minInterval) : minInterval;
    return std::max(0, ms);
}

void WhackAMoleRules::armTimer()
{
    timerLength = drawInterval();
    timerElapsed = 0;
    timerArmed = true;
}

bool WhackAMoleRules::advanceTimer(int dt)
{
    if (!timerArmed)
        return false;
    timerElapsed += std::max(0, dt);
    if (timerElapsed < timerLength)
        return false;
    timerArmed = false;
    return true;
}

bool WhackAMoleRules::isCandidate(int k) const
{
    return !out[static_cast<size_t>(k)] && k != lastSquirrel;
}

std::vector<int> WhackAMoleRules::candidates() const
{
    std::vector<int> found;
    for (int k = 0; k < squirrelCount(); ++k) {
        if (isCandidate(k))
            found.push_back(k);
    }
    return found;
}

namespace {

// One of the indices below `count` for which `holds` is true, drawn with
// `below` (a random number below the number of them) and counted in place;
// -1 when there is none.
template <typename Holds, typename Below>
int drawIndexWhere(int count, Holds holds, Below below)
{
    int matches = 0;
    for (int k = 0; k < count; ++k)
        matches += holds(k) ? 1 : 0;
    if (matches == 0)
        return -1;
    for (int k = 0, n = below(matches); k < count; ++k)
        if (holds(k) && n-- == 0)
            return k;
    return -1;
}

} // namespace

// A squirrel rises during play: the draws allocate nothing.
WhackAMoleRules::Appearance WhackAMoleRules::chooseAppearance()
{
    Appearance a;
    const auto below = [this](int n) { return randomBelow(n); };
    a.squirrel = drawIndexWhere(squirrelCount(), [this](int k) { return isCandidate(k); }, below);
    if (a.squirrel < 0)
        return a;
    a.piece = drawIndexWhere(
        pieceCount(), [this](int s) { return pieces[static_cast<size_t>(s)] == Free; }, below);
    if (a.piece >= 0)
        pieces[static_cast<size_t>(a.piece)] = Carried;
    out[static_cast<size_t>(a.squirrel)] = true;
    carrying[static_cast<size_t>(a.squirrel)] = a.piece;
    lastSquirrel = a.squirrel;
    return a;
}

int WhackAMoleRules::hitSquirrel(int k)
{
    if (k < 0 || k >= squirrelCount())
        return -1;
    const int piece = carrying[static_cast<size_t>(k)];
    carrying[static_cast<size_t>(k)] = -1;
    return piece;
}

void WhackAMoleRules::squirrelBack(int k)
{
    if (k < 0 || k >= squirrelCount())
        return;
    const int piece = carrying[static_cast<size_t>(k)];
    if (piece >= 0 && pieces[static_cast<size_t>(piece)] == Carried)
        pieces[static_cast<size_t>(piece)] = Free;
    carrying[static_cast<size_t>(k)] = -1;
    out[static_cast<size_t>(k)] = false;
}

bool WhackAMoleRules::pieceArrived(int s)
{
    if (s >= 0 && s < pieceCount())
        pieces[static_cast<size_t>(s)] = Collected;
    return allCollected();
}

bool WhackAMoleRules::isOut(int k) const
{
    return k >= 0 && k < squirrelCount() && out[static_cast<size_t>(k)];
}

int WhackAMoleRules::carriedBy(int k) const
{
    return k >= 0 && k < squirrelCount() ? carrying[static_cast<size_t>(k)] : -1;
}

int WhackAMoleRules::pieceState(int s) const
{
    return s >= 0 && s < pieceCount() ? pieces[static_cast<size_t>(s)] : Free;
}

bool WhackAMoleRules::allCollected() const
{
    return !pieces.empty() && std::all_of(pieces.begin(), pieces.end(), [](int p) { return p == Collected; });
}
