#include "minigames/MgCollectArmour.h"

MgCollectArmour::MgCollectArmour(int questId)
    : MiniGameBase(questId, "MgCollectArmour")
{
}
