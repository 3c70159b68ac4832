#include "minigames/MgKlotsky.h"

MgKlotsky::MgKlotsky(int questId)
    : MiniGameBase(questId, "MgKlotsky")
{
}
