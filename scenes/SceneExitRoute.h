#pragma once
// Where the game goes when a game scene has closed with a result code, and
// the quest, item and profile bookkeeping of that way out:
//   1000         the main menu;
//   8            the map, opened from this scene's location;
//   11           the scene is done: every quest of the location completed,
//                its items removed when the current quest empties its
//                container, the saved step 0; the flow advances before
//                quest 4, else the map;
//   1001         finished: items removed as for 11, the saved step 0; after
//                quest 14, 29, 43 or 55 the chapter transition 1 to 4, after
//                quest 72 the epilogue (both with 500 ms fades); quests up to
//                3 and the bonus quests 27, 41, 49 are completed, the next
//                one becomes current and the flow advances; otherwise the map;
//   1002         nothing;
//   any other    the main menu.
// A flow that has no next screen gives the main menu, so the player never
// faces an empty screen stack.
class ScreenBase;

class SceneExitRoute {
public:
    enum Code { MainMenu = 1000, Map = 8, SceneDone = 11, Finished = 1001, NoFollowUp = 1002 };
    static constexpr int FadeMs = 500;

    // The next screen, not shown yet (null for 1002), after the scene of
    // `sceneId` closed with `code`. The scene must be gone from the stack.
    static ScreenBase* follow(int code, int sceneId);
    // Removes the scene's items of the groups 1, 3, 2 and 6.
    static void removeSceneItems(int sceneId);
};
