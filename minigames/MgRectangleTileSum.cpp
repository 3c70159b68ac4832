#include "minigames/MgRectangleTileSum.h"

MgRectangleTileSum::MgRectangleTileSum(int questId)
    : PlaceholderMiniGame(questId, "MgRectangleTileSum")
{
}
