#pragma once
// Jumps straight into any scene of the game flow: "Scene 01" to "Scene 26"
// (ids 1000 to 1025). A jump starts the story afresh (the current profile,
// when there is one, reset and marked started; items and quests reset),
// puts the flow at the scene's position and pushes its screen over the
// menu as a replay (it saves nothing when it ends); nothing when the flow
// has no screen there.
#include "frontend/JumpMenu.h"

class ScenesMenu : public JumpMenu {
public:
    static constexpr int FirstSceneId = 1000;
    static constexpr int SceneCount = 26;

    ScenesMenu();

protected:
    void onEntryChosen(int id) override;
};
