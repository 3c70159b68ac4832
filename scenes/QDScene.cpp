#include "scenes/QDScene.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "frontend/MainMenu.h"
#include "frontend/ScreenRoutes.h"

#include <filesystem>
#include <system_error>

namespace {
const Color BackgroundFill(30, 46, 40, 255);
}

QDScene::QDScene(int id, const std::string& config, const std::string& rendererConf, const std::string& mechanics,
                 const std::string& groupConf)
    : ScreenBase(std::string())
    , sceneId(id)
    , configPath(config)
    , itemRendererConf(rendererConf)
    , mechanicsConf(mechanics)
    , itemGroupConf(groupConf)
{
}

std::string QDScene::backgroundPath() const
{
    if (configPath.empty())
        return std::string();
    const std::string path = configPath + BackgroundFile;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path : std::string();
}

void QDScene::loadResources()
{
    const std::string path = backgroundPath();
    if (!path.empty())
        getResources()->registerTexture(BackgroundId, new GLTexture(path));
}

void QDScene::build()
{
    layout.attach(this, BackgroundId, std::string(), std::string());
    layout.addTitle("Scene " + std::to_string(sceneId), 40);
    AppContext* app = appContext();
    const int width = app ? app->getWidth() : 1024;
    const int height = app ? app->getHeight() : 768;
    layout.addButton(this, LeaveButton, "Leave", width - layout.buttonWidth() - 16,
                     height - layout.buttonHeight() - 16);
}

void QDScene::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void QDScene::onButtonEvent(int id, int event)
{
    if (event == 1 && id == LeaveButton)
        close(MainMenuCode, true);
}

void QDScene::onClosed(int)
{
    ScreenRoutes::leave(this, new MainMenu());
}
