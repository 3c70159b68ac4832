#include "minigames/MgSumTheNumbers.h"

MgSumTheNumbers::MgSumTheNumbers(int questId)
    : PlaceholderMiniGame(questId, "MgSumTheNumbers")
{
}
