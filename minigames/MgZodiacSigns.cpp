#include "minigames/MgZodiacSigns.h"

MgZodiacSigns::MgZodiacSigns(int questId)
    : PlaceholderMiniGame(questId, "MgZodiacSigns")
{
}
