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

// The squirrel and the piece are drawn as an index into the candidates and
// the free slots in order, counted in place: a squirrel rises during play
// and the frame allocates nothing.
WhackAMoleRules::Appearance WhackAMoleRules::chooseAppearance()
{
    Appearance a;
    int squirrels = 0;
    for (int k = 0; k < squirrelCount(); ++k)
        squirrels += isCandidate(k) ? 1 : 0;
    if (squirrels == 0)
        return a;
    for (int k = 0, n = randomBelow(squirrels); k < squirrelCount(); ++k) {
        if (isCandidate(k) && n-- == 0) {
            a.squirrel = k;
            break;
        }
    }
    const int freeSlots = static_cast<int>(std::count(pieces.begin(), pieces.end(), Free));
    if (freeSlots > 0) {
        for (int s = 0, n = randomBelow(freeSlots); s < pieceCount(); ++s) {
            if (pieces[static_cast<size_t>(s)] == Free && n-- == 0) {
                a.piece = s;
                break;
            }
        }
        pieces[static_cast<size_t>(a.piece)] = Carried;
    }
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
