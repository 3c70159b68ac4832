#include "minigames/MgSecretNiche.h"

MgSecretNiche::MgSecretNiche(int questId)
    : MiniGameBase(questId, "MgSecretNiche")
{
}
