#include "minigames/MatchElementsBoard.h"

#include <algorithm>
#include <cstdint>

MatchElementsBoard::MatchElementsBoard(std::vector<Point> pieceHomes, int placementSensitivity)
    : homes(std::move(pieceHomes))
    , placed(homes.size(), false)
    , sensitivity(std::max(0, placementSensitivity))
{
}

Point MatchElementsBoard::home(int i) const
{
    return i >= 0 && i < size() ? homes[static_cast<size_t>(i)] : Point();
}

bool MatchElementsBoard::isPlaced(int i) const
{
    return i >= 0 && i < size() && placed[static_cast<size_t>(i)];
}

bool MatchElementsBoard::allPlaced() const
{
    return !placed.empty() && std::all_of(placed.begin(), placed.end(), [](bool p) { return p; });
}

int MatchElementsBoard::pick(const std::function<bool(int)>& hit) const
{
    for (int i = size() - 1; i >= 0; --i) {
        if (!placed[static_cast<size_t>(i)] && hit(i))
            return i;
    }
    return -1;
}

bool MatchElementsBoard::fits(int i, int x, int y) const
{
    if (i < 0 || i >= size())
        return false;
    // The order rule names the fourth and the eighth piece: it only exists
    // in a set that has both.
    if (size() > GatedPiece && i == GatedPiece && !isPlaced(GatePiece))
        return false;
    const Point h = homes[static_cast<size_t>(i)];
    const int64_t dx = static_cast<int64_t>(x) - h.x;
    const int64_t dy = static_cast<int64_t>(y) - h.y;
    const int64_t reach = sensitivity;
    return dx * dx + dy * dy < reach * reach;
}

bool MatchElementsBoard::drop(int i, int x, int y)
{
    if (isPlaced(i) || !fits(i, x, y))
        return false;
    placed[static_cast<size_t>(i)] = true;
    return true;
}

int MatchElementsBoard::keepOnScreen(int value, int size, int screen)
{
    if (value + size < KeepOnScreen)
        return KeepOnScreen - size;
    return std::min(value, screen - KeepOnScreen);
}
