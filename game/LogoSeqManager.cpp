#include "game/LogoSeqManager.h"

#include "engine/app/GameApp.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/AppConfig.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/AnimationPlayer.h"

#include <string>

namespace {
const char* const ImageId = "LOGO_IMAGE";
}

LogoSeqManager::LogoSeqManager()
    : ScreenBase(std::string())
    , player(std::make_unique<AnimationPlayer>(this))
{
    // ScreenBase starts with empty transitions in and out.
    advance();
}

LogoSeqManager::~LogoSeqManager() = default;

void LogoSeqManager::loadResources()
{
}

void LogoSeqManager::build()
{
}

void LogoSeqManager::advance()
{
    const int count = static_cast<int>(AppConfig::getInstance().getLogoScreens().size());
    // A loop, not recursion: any number of entries may show nothing.
    while (index < count) {
        ++index;
        if (index < count && startEntry())
            return;
    }
    sequenceDone = true;
}

bool LogoSeqManager::startEntry()
{
    const LogoScreenEntry& entry = AppConfig::getInstance().getLogoScreens()[static_cast<size_t>(index)];
    const std::string path = entry.folder + entry.filename;
    if (entry.type == "ANIMATION") {
        if (!player->loadAnimation(index, path)) {
            logWarning("logo " + std::to_string(index) + ": animation " + path + " cannot be played; skipped");
            return false;
        }
        player->playAnimation(index, 0, 0, 0, this);
        return true;
    }
    if (entry.type == "IMAGE") {
        image = new GLTexture(path);
        getResources()->registerTexture(ImageId, image);
        imageTimeLeft = getParamInt("LogoSeqManager.ImageTime", DefaultImageTime);
        return true;
    }
    logWarning("logo " + std::to_string(index) + ": unknown type '" + entry.type + "'; skipped");
    return false;
}

void LogoSeqManager::onAnimationFinished(int32_t id)
{
    player->stopAnimation(id);
    player->removeAnimation(id, this);
    advance();
}

void LogoSeqManager::onUpdate(int dt)
{
    if (image) {
        imageTimeLeft -= dt;
        if (imageTimeLeft <= 0) {
            image = nullptr;  // stays in the manager until the screen goes
            advance();
        }
    }
    // Closing waits for an update: the sequence may end in the constructor,
    // before the screen was entered, and entering would undo the close.
    if (sequenceDone && !closing) {
        closing = true;
        close(0, true);
    }
}

void LogoSeqManager::drawBackground(Graphics& g)
{
    if (image)
        g.drawImage(0, 0, image, Color::white());
}

void LogoSeqManager::onClosed(int)
{
    // closeScreen deletes this screen: nothing of it may be used afterwards.
    GameApp* app = GameApp::instance();
    if (!app)
        return;
    app->closeScreen(this);
    app->showStartScreen();
}
