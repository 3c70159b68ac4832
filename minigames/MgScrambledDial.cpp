#include "minigames/MgScrambledDial.h"

MgScrambledDial::MgScrambledDial(int questId)
    : PlaceholderMiniGame(questId, "MgScrambledDial")
{
}
