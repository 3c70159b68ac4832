#include "minigames/MgTriangleCount.h"

MgTriangleCount::MgTriangleCount(int questId)
    : MiniGameBase(questId, "MgTriangleCount")
{
}
