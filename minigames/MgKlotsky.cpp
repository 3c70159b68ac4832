#include "minigames/MgKlotsky.h"

MgKlotsky::MgKlotsky(int questId)
    : PlaceholderMiniGame(questId, "MgKlotsky")
{
}
