#include "minigames/MgCastingSpells.h"

MgCastingSpells::MgCastingSpells(int questId)
    : MiniGameBase(questId, "MgCastingSpells")
{
}
