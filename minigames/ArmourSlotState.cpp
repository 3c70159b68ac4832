#include "minigames/ArmourSlotState.h"

#include <algorithm>

ArmourSlotState::ArmourSlotState(Point startCorner, Point endCorner)
    : start(startCorner)
    , end(endCorner)
{
}

bool ArmourSlotState::collect(int partIndex)
{
    if (partIndex < 0 || partIndex >= PartsPerSlot ||
        std::find(collected.begin(), collected.end(), partIndex) != collected.end())
        return false;
    collected.push_back(partIndex);
    if (static_cast<int>(collected.size()) >= PartsPerSlot && !placed)
        draggable = true;
    return true;
}

bool ArmourSlotState::startDrag()
{
    if (!draggable)
        return false;
    dragging = true;
    return true;
}

ArmourSlotState::Drop ArmourSlotState::release(Point corner, int w, int h)
{
    const bool wasDragging = dragging;
    dragging = false;
    if (!wasDragging)
        return NoDrag;
    if (!isInTarget(corner, end, w, h))
        return BackHome;
    placed = true;
    draggable = false;
    return Placed;
}

bool ArmourSlotState::isInTarget(Point corner, Point end, int w, int h)
{
    const int x0 = static_cast<int>(end.x - 0.5 * w);
    const int y0 = static_cast<int>(end.y - 0.5 * h);
    return x0 <= corner.x && corner.x < x0 + w && y0 <= corner.y && corner.y < y0 + h;
}

std::string ArmourSlotState::describe() const
{
    return std::to_string(collected.size()) + (draggable ? "D" : "") + (placed ? "P" : "");
}
