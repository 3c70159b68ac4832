#include "minigames/ZodiacBoard.h"

#include <algorithm>
#include <cmath>

int ZodiacBoard::glowFadeMs = 0;
int ZodiacBoard::translateMs = 0;

ZodiacBoard::ZodiacBoard(std::vector<Point> startPlaces, std::vector<Point> ownPlaces, int placementSensitivity)
    : inits(std::move(startPlaces))
    , finals(std::move(ownPlaces))
    , positions(inits)
    , placed(inits.size(), false)
    , sensitivity(placementSensitivity)
{
    // Every sign needs its own place; a shorter list gets places nobody
    // can reach.
    finals.resize(inits.size(), Point(-1000000, -1000000));
}

Point ZodiacBoard::position(int sign) const
{
    return sign >= 0 && sign < size() ? positions[static_cast<size_t>(sign)] : Point();
}

Point ZodiacBoard::init(int sign) const
{
    return sign >= 0 && sign < size() ? inits[static_cast<size_t>(sign)] : Point();
}

Point ZodiacBoard::final(int sign) const
{
    return sign >= 0 && sign < size() ? finals[static_cast<size_t>(sign)] : Point();
}

bool ZodiacBoard::isPlaced(int sign) const
{
    return sign >= 0 && sign < size() && placed[static_cast<size_t>(sign)];
}

bool ZodiacBoard::allPlaced() const
{
    return !placed.empty() && std::all_of(placed.begin(), placed.end(), [](bool p) { return p; });
}

void ZodiacBoard::moveTo(int sign, Point at)
{
    if (sign >= 0 && sign < size())
        positions[static_cast<size_t>(sign)] = at;
}

int ZodiacBoard::truncDistance(Point a, Point b)
{
    return static_cast<int>(std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y));
}

bool ZodiacBoard::isHeld(int place, int except) const
{
    if (place < 0 || place >= size())
        return false;
    for (int j = 0; j < size(); ++j) {
        if (j != except && truncDistance(positions[static_cast<size_t>(j)], finals[static_cast<size_t>(place)]) == 0)
            return true;
    }
    return false;
}

int ZodiacBoard::snapTarget(int sign, Point at) const
{
    for (int p = 0; p < size(); ++p) {
        if (truncDistance(at, finals[static_cast<size_t>(p)]) < sensitivity && !isHeld(p, sign))
            return p;
    }
    return -1;
}

ZodiacBoard::Drop ZodiacBoard::drop(int sign, Point at)
{
    Drop d;
    if (sign < 0 || sign >= size() || placed[static_cast<size_t>(sign)])
        return d;
    d.place = snapTarget(sign, at);
    if (d.place < 0) {
        positions[static_cast<size_t>(sign)] = inits[static_cast<size_t>(sign)];
        return d;
    }
    positions[static_cast<size_t>(sign)] = finals[static_cast<size_t>(d.place)];
    d.placed = d.place == sign;
    placed[static_cast<size_t>(sign)] = d.placed;
    return d;
}

void ZodiacBoard::setTiming(std::optional<int> glowFade, std::optional<int> translate)
{
    if (glowFade)
        glowFadeMs = *glowFade;
    translateMs = translate ? *translate : glowFadeMs;
}
