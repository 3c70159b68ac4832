#include "minigames/MgFaceDrawing.h"

MgFaceDrawing::MgFaceDrawing(int questId)
    : MiniGameBase(questId, "MgFaceDrawing")
{
}
