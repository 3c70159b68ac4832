#include "minigames/MgZodiacSigns.h"

MgZodiacSigns::MgZodiacSigns(int questId)
    : MiniGameBase(questId, "MgZodiacSigns")
{
}
