#include "minigames/MgWhackAMole.h"

MgWhackAMole::MgWhackAMole(int questId)
    : MiniGameBase(questId, "MgWhackAMole")
{
}
