#include "minigames/MgShootingPractice.h"

MgShootingPractice::MgShootingPractice(int questId)
    : MiniGameBase(questId, "MgShootingPractice")
{
}
