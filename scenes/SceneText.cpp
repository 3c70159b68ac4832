#include "scenes/SceneText.h"

#include "engine/app/GameApp.h"
#include "engine/store/LabelManager.h"
#include "game/SfxContainer.h"

std::string sceneLabel(const std::string& id)
{
    GameApp* app = GameApp::instance();
    return app && app->getLabels() ? app->getLabels()->getLabel(id) : id;
}

void playSceneEffect(const char* name)
{
    SfxContainer* sfx = SfxContainer::existingInstance();
    if (sfx && sfx->isLoaded())
        sfx->playSound(name, false);
}
