#include "minigames/MgSumTheNumbers.h"

MgSumTheNumbers::MgSumTheNumbers(int questId)
    : MiniGameBase(questId, "MgSumTheNumbers")
{
}
