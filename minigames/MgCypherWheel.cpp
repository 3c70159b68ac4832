#include "minigames/MgCypherWheel.h"

MgCypherWheel::MgCypherWheel(int questId)
    : PlaceholderMiniGame(questId, "MgCypherWheel")
{
}
