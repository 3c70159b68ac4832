#pragma once
// The MgKlotsky minigame for one quest, on the minigame frame: it shows its name
// with "Solved" and "Skip", and the frame records the quest when it ends.
#include "minigames/MiniGameBase.h"

class MgKlotsky : public MiniGameBase {
public:
    // `questId` is copied (see MiniGameBase for the quest bookkeeping).
    explicit MgKlotsky(int questId);
};
