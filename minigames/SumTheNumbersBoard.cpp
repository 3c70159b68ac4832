#include "minigames/SumTheNumbersBoard.h"

#include <algorithm>
#include <utility>

const Point SumTheNumbersBoard::Homes[TileCount] = {
    Point(594, 268), Point(390, 385), Point(491, 445), Point(594, 385), Point(389, 272)};
const Point SumTheNumbersBoard::StartPlaces[TileCount] = {
    Point(491, 445), Point(389, 272), Point(594, 385), Point(594, 268), Point(390, 385)};

namespace {

int homeIndex(Point p)
{
    const Point* end = SumTheNumbersBoard::Homes + SumTheNumbersBoard::TileCount;
    const Point* it = std::find(SumTheNumbersBoard::Homes, end, p);
    return it == end ? -1 : static_cast<int>(it - SumTheNumbersBoard::Homes);
}

} // namespace

SumTheNumbersBoard::SumTheNumbersBoard()
{
    for (int k = 0; k < TileCount; ++k) {
        places[k] = Homes[k];
        arrived[k] = true;
    }
}

void SumTheNumbersBoard::shuffle(const Random& random)
{
    Point list[TileCount];
    std::copy(StartPlaces, StartPlaces + TileCount, list);
    for (int k = 1; k < TileCount; ++k)
        std::swap(list[k], list[random(k + 1)]);
    for (int k = 0; k < TileCount; ++k) {
        places[k] = list[k];
        arrived[k] = places[k] == Homes[k];
    }
    selected = -1;
}

int SumTheNumbersBoard::tileIndex(int tileId)
{
    const int k = tileId - FirstTileId;
    return k >= 0 && k < TileCount ? k : -1;
}

SumTheNumbersBoard::Click SumTheNumbersBoard::click(int tileId)
{
    Click c;
    const int k = tileIndex(tileId);
    if (k < 0)
        return c;
    if (selected < 0) {
        selected = k;
        c.kind = Click::Selected;
        c.first = k;
        return c;
    }
    c.kind = Click::Swap;
    c.first = selected;
    c.second = k;
    std::swap(places[selected], places[k]);
    // Both are on their way until their movement ends.
    arrived[selected] = arrived[k] = false;
    selected = -1;
    return c;
}

bool SumTheNumbersBoard::arrive(int k)
{
    if (k < 0 || k >= TileCount)
        return false;
    arrived[k] = places[k] == Homes[k];
    if (glowStarted || !std::all_of(arrived, arrived + TileCount, [](bool a) { return a; }))
        return false;
    glowStarted = true;
    return true;
}

bool SumTheNumbersBoard::isPermutation() const
{
    bool seen[TileCount] = {};
    for (const Point& p : places) {
        const int h = homeIndex(p);
        if (h < 0 || seen[h])
            return false;
        seen[h] = true;
    }
    return true;
}

std::string SumTheNumbersBoard::describe() const
{
    std::string out = "places=";
    for (int k = 0; k < TileCount; ++k)
        out += (k ? "," : "") + std::to_string(homeIndex(places[k]));
    out += " selected=" + std::to_string(selected);
    return out + " glow=" + (glowStarted ? "1" : "0");
}
