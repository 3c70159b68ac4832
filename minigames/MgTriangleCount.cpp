#include "minigames/MgTriangleCount.h"

MgTriangleCount::MgTriangleCount(int questId)
    : PlaceholderMiniGame(questId, "MgTriangleCount")
{
}
