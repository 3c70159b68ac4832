#pragma once
// The MgTriangleCount minigame for one quest, not built yet: the placeholder on the
// minigame frame ("Solved" and "Skip"); the frame records the quest when it
// ends.
#include "minigames/PlaceholderMiniGame.h"

class MgTriangleCount : public PlaceholderMiniGame {
public:
    // `questId` is copied (see MiniGameBase for the quest bookkeeping).
    explicit MgTriangleCount(int questId);
};
