#include "minigames/MgScrambledDial.h"

MgScrambledDial::MgScrambledDial(int questId)
    : MiniGameBase(questId, "MgScrambledDial")
{
}
