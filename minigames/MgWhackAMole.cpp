#include "minigames/MgWhackAMole.h"

MgWhackAMole::MgWhackAMole(int questId)
    : PlaceholderMiniGame(questId, "MgWhackAMole")
{
}
