#include "minigames/MgMemoryMatch.h"

MgMemoryMatch::MgMemoryMatch(int questId)
    : PlaceholderMiniGame(questId, "MgMemoryMatch")
{
}
