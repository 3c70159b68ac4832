#include "minigames/MgImagePuzzle.h"

MgImagePuzzle::MgImagePuzzle(int questId)
    : PlaceholderMiniGame(questId, "MgImagePuzzle")
{
}
