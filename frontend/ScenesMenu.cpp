#include "frontend/ScenesMenu.h"

#include "frontend/ScreenRoutes.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/QuestManager.h"
#include "scenes/QDScene.h"

ScenesMenu::ScenesMenu()
{
    addColumns("Scene", FirstSceneId, SceneCount,
               {{20, {60, 105, 150, 195, 240, 285, 375, 420, 465, 510, 555}},
                {320, {60, 105, 150, 195, 240, 375, 420, 465, 510}},
                {620, {60, 105, 150, 195, 240, 285}}});
}

void ScenesMenu::onEntryChosen(int id)
{
    if (id < FirstSceneId || id > 1999)
        return;
    if (PlayerProfile* profile = PlayerProfiles::instance()->currentProfile()) {
        profile->resetProgress();
        profile->setGameStarted(true);
    }
    GameFlow* flow = GameFlow::instance();
    flow->index = 0;
    ItemRegistry::instance()->clear();
    QuestManager::instance()->reset();
    flow->index = id - FirstSceneId;
    ScreenBase* screen = flow->nextScreen(false);
    // A replayed scene leaves the story as it stands: it saves nothing and
    // completes no quest when it ends.
    if (auto* scene = dynamic_cast<QDScene*>(screen))
        scene->setReplay(true);
    ScreenRoutes::show(screen);
}
