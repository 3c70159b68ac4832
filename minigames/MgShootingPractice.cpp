#include "minigames/MgShootingPractice.h"

MgShootingPractice::MgShootingPractice(int questId)
    : PlaceholderMiniGame(questId, "MgShootingPractice")
{
}
