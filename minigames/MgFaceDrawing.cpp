#include "minigames/MgFaceDrawing.h"

MgFaceDrawing::MgFaceDrawing(int questId)
    : PlaceholderMiniGame(questId, "MgFaceDrawing")
{
}
