#include "minigames/MgCypherWheel.h"

MgCypherWheel::MgCypherWheel(int questId)
    : MiniGameBase(questId, "MgCypherWheel")
{
}
