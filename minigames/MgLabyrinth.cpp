#include "minigames/MgLabyrinth.h"

MgLabyrinth::MgLabyrinth(int questId)
    : PlaceholderMiniGame(questId, "MgLabyrinth")
{
}
