#include "scenes/SceneExitRoute.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "frontend/ChapterTransition.h"
#include "frontend/MainMenu.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/TavrinIntro.h"
#include "game/ItemRegistry.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"

namespace {

ScreenBase* mapFrom(int location)
{
    return new MapOfKingdom(&location);
}

ScreenBase* withFades(ScreenBase* screen)
{
    screen->setInTransition(new FadeInTransition(SceneExitRoute::FadeMs));
    screen->setOutTransition(new FadeOutTransition(SceneExitRoute::FadeMs));
    return screen;
}

void resetSavedStep()
{
    if (PlayerProfile* profile = PlayerProfiles::instance()->currentProfile())
        profile->setSavedStep(0);
}

// Removes the scene's items when the current quest empties its container.
void emptyContainerOf(int sceneId)
{
    const Quest* current = QuestManager::instance()->getCurrent();
    if (current && current->emptyContainer)
        SceneExitRoute::removeSceneItems(sceneId);
}

int chapterAfter(int questId)
{
    switch (questId) {
    case 14: return 1;
    case 29: return 2;
    case 43: return 3;
    case 55: return 4;
    default: return 0;
    }
}

ScreenBase* finished(int sceneId)
{
    QuestManager* quests = QuestManager::instance();
    emptyContainerOf(sceneId);
    resetSavedStep();
    const int cur = quests->currentId();
    if (int chapter = chapterAfter(cur))
        return withFades(new ChapterTransition(&chapter));
    if (cur == 72) {
        bool epilogue = true;
        return withFades(new TavrinIntro(&epilogue));
    }
    if (cur <= 3 || cur == 27 || cur == 41 || cur == 49) {
        quests->complete(cur);
        quests->setCurrent(cur + 1);
        return ScreenRoutes::flowScreenOrMenu(true);
    }
    return mapFrom(-1);
}

ScreenBase* sceneDone(int sceneId)
{
    QuestManager* quests = QuestManager::instance();
    const Quest* current = quests->getCurrent();
    const bool empty = current && current->emptyContainer;
    quests->completeByScreen(sceneId);
    if (empty)
        SceneExitRoute::removeSceneItems(sceneId);
    resetSavedStep();
    current = quests->getCurrent();
    if (!current || current->id < 4)
        return ScreenRoutes::flowScreenOrMenu(true);
    return mapFrom(-1);
}

} // namespace

void SceneExitRoute::removeSceneItems(int sceneId)
{
    ItemRegistry* registry = ItemRegistry::instance();
    for (int group : {1, 3, 2, 6})
        registry->removeSceneItems(group, sceneId);
}

ScreenBase* SceneExitRoute::follow(int code, int sceneId)
{
    switch (code) {
    case Map:
        return mapFrom(sceneId);
    case SceneDone:
        return sceneDone(sceneId);
    case Finished:
        return finished(sceneId);
    case NoFollowUp:
        return nullptr;
    default:
        return new ::MainMenu();
    }
}
