#pragma once
// Jumps straight into any of the story's 25 minigame steps with its quest
// id: "Minigame 01" to "Minigame 25" (ids 1001 to 1025). The minigame is
// made through the game flow's creators and pushed over the menu; when it
// ends it records its result for the quest as in a scene and leaves.
#include "frontend/JumpMenu.h"

class MiniGamesMenu : public JumpMenu {
public:
    struct Step {
        const char* type;
        int questId;
    };
    static constexpr int FirstGameId = 1001;
    static constexpr int GameCount = 25;

    MiniGamesMenu();

    // The minigame and quest of a button id; null type for other ids.
    static Step stepOf(int id);

protected:
    void onEntryChosen(int id) override;
};
