#include "minigames/ImagePuzzleBoard.h"

#include <algorithm>
#include <cmath>

ImagePuzzleBoard::ImagePuzzleBoard(int cols, int rows, Point origin, Point step)
    : columns(std::max(0, cols))
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            homes.emplace_back(origin.x + c * step.x, origin.y + r * step.y);
    placed.assign(homes.size(), false);
}

int ImagePuzzleBoard::indexOf(int pieceId) const
{
    const int index = pieceId - FirstPieceId;
    return index >= 0 && index < count() ? index : -1;
}

Point ImagePuzzleBoard::scatter(const Random& random)
{
    const int x = random(ScatterWidth);
    return Point(x, random(ScatterHeight));
}

ImagePuzzleBoard::Press ImagePuzzleBoard::press(int pieceId)
{
    if (indexOf(pieceId) < 0)
        return Ignored;
    carrying = !carrying;
    return carrying ? PickedUp : PutDown;
}

bool ImagePuzzleBoard::drop(int index, Point at)
{
    if (index < 0 || index >= count() || placed[static_cast<size_t>(index)])
        return false;
    const Point h = home(index);
    const double dx = at.x - h.x;
    const double dy = at.y - h.y;
    if (std::sqrt(dx * dx + dy * dy) >= SnapDistance)
        return false;
    placed[static_cast<size_t>(index)] = true;
    ++placedCount;
    return true;
}

bool ImagePuzzleBoard::isPlaced(int index) const
{
    return index >= 0 && index < count() && placed[static_cast<size_t>(index)];
}

std::vector<int> ImagePuzzleBoard::raiseOrder(std::vector<std::pair<int, int>> loose)
{
    std::stable_sort(loose.begin(), loose.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    std::vector<int> order;
    for (const auto& piece : loose)
        order.push_back(piece.first);
    return order;
}

std::string ImagePuzzleBoard::describe() const
{
    return "placed=" + std::to_string(placedCount) + "/" + std::to_string(count()) +
           " carrying=" + (carrying ? "1" : "0");
}
