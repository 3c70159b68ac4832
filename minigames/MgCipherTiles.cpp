#include "minigames/MgCipherTiles.h"

MgCipherTiles::MgCipherTiles(int questId)
    : MiniGameBase(questId, "MgCipherTiles")
{
}
