#include "minigames/MgRearrangeElements.h"

MgRearrangeElements::MgRearrangeElements(int questId)
    : MiniGameBase(questId, "MgRearrangeElements")
{
}
