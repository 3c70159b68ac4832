#include "minigames/MgMatchElements.h"

MgMatchElements::MgMatchElements(int questId)
    : MiniGameBase(questId, "MgMatchElements")
{
}
