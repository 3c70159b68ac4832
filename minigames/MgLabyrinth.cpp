#include "minigames/MgLabyrinth.h"

MgLabyrinth::MgLabyrinth(int questId)
    : MiniGameBase(questId, "MgLabyrinth")
{
}
