#include "minigames/MgCollectArmour.h"

MgCollectArmour::MgCollectArmour(int questId)
    : PlaceholderMiniGame(questId, "MgCollectArmour")
{
}
