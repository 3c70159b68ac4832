#include "minigames/MgSecretNiche.h"

MgSecretNiche::MgSecretNiche(int questId)
    : PlaceholderMiniGame(questId, "MgSecretNiche")
{
}
