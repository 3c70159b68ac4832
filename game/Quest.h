#pragma once
// One step of the story's progress, as read from one <Quest> element of
// "content/config/Quests.xml". The quest manager owns every quest. A quest's
// id equals its position in the manager's list; `opens` and `needs` hold such
// positions.
#include <vector>

struct Quest {
    int id = -1;
    // The location (scene) the quest is played in.
    int screenId = -1;
    // The mechanics step the location's scene starts at for this quest.
    int stage = -1;
    bool done = false;
    // Available to play.
    bool open = false;
    // "emptyContainer" is exactly "true".
    bool emptyContainer = false;
    // The map has entered the quest's location once (used when
    // correctLocationStage is off: later entries start one stage further).
    bool entered = false;
    // Off only when "correctLocationStage" is exactly "false".
    bool correctLocationStage = true;
    // Quests this one may open when done.
    std::vector<int> opens;
    // Quests that must all be done before this one opens; -1 stands for none.
    std::vector<int> needs;
};
