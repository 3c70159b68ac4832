#pragma once
// The MgWhackAMole minigame for one quest, not built yet: the placeholder on the
// minigame frame ("Solved" and "Skip"); the frame records the quest when it
// ends.
#include "minigames/PlaceholderMiniGame.h"

class MgWhackAMole : public PlaceholderMiniGame {
public:
    // `questId` is copied (see MiniGameBase for the quest bookkeeping).
    explicit MgWhackAMole(int questId);
};
