#include "minigames/MgMatchElements.h"

MgMatchElements::MgMatchElements(int questId)
    : PlaceholderMiniGame(questId, "MgMatchElements")
{
}
