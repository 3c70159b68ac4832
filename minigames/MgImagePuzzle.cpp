#include "minigames/MgImagePuzzle.h"

MgImagePuzzle::MgImagePuzzle(int questId)
    : MiniGameBase(questId, "MgImagePuzzle")
{
}
