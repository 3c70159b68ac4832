#include "scenes/QDScene.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "frontend/MainMenu.h"
#include "frontend/ScreenRoutes.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "scenes/ItemRendererCreators.h"
#include "scenes/ItemRendererFactory.h"

#include <filesystem>
#include <system_error>

namespace {

const Color BackgroundFill(30, 46, 40, 255);

int savedStepOfCurrentProfile()
{
    const PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
    return profile ? profile->getSavedStep() : 0;
}

} // namespace

QDScene::QDScene(int id, const std::string& config, const std::string& rendererConf, const std::string& mechanics,
                 const std::string& groupConf)
    : HOScene(id, config, rendererConf, mechanics, groupConf, savedStepOfCurrentProfile())
    , configPath(config)
    , itemRendererConf(rendererConf)
    , mechanicsConf(mechanics)
    , itemGroupConf(groupConf)
{
    // The factory holds the rules of one scene: each scene starts a fresh one.
    ItemRendererFactory::destroyInstance();
    registerItemRendererCreators(*ItemRendererFactory::instance());
}

std::string QDScene::backgroundPath() const
{
    if (configPath.empty())
        return std::string();
    const std::string path = configPath + BackgroundFile;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path : std::string();
}

void QDScene::registerResources()
{
    const std::string path = backgroundPath();
    if (!path.empty())
        getResources()->registerTexture(BackgroundId, new GLTexture(path));
}

void QDScene::onSceneStarted()
{
    layout.attach(this, BackgroundId, std::string(), std::string());
    layout.addTitle("Scene " + std::to_string(sceneId), 40);
    AppContext* app = appContext();
    const int width = app ? app->getWidth() : ScreenWidth;
    const int height = app ? app->getHeight() : ScreenHeight;
    layout.addButton(this, LeaveButton, "Leave", width - layout.buttonWidth() - 16,
                     height - layout.buttonHeight() - 16);
}

void QDScene::beforeItemsRendered(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void QDScene::onRenderersBuilt()
{
    enableWantedItems();
}

void QDScene::onItemRemoved(ItemState*)
{
    enableWantedItems();
}

void QDScene::enableWantedItems()
{
    for (ItemState* state : ItemRegistry::instance()->itemsOfGroup(2, sceneId))
        if (state->renderer)
            state->renderer->setDecoratorEnabled(true);
}

void QDScene::onButtonEvent(int id, int event)
{
    if (event == 1 && id == LeaveButton)
        close(MainMenuCode, true);
}

void QDScene::onMessage(int32_t)
{
    ScreenRoutes::leave(this, new MainMenu());
}
