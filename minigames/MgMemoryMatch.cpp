#include "minigames/MgMemoryMatch.h"

MgMemoryMatch::MgMemoryMatch(int questId)
    : MiniGameBase(questId, "MgMemoryMatch")
{
}
