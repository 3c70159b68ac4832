#include "minigames/MgRectangleTileSum.h"

MgRectangleTileSum::MgRectangleTileSum(int questId)
    : MiniGameBase(questId, "MgRectangleTileSum")
{
}
