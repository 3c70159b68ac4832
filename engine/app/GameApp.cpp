#include "engine/app/GameApp.h"

#include "engine/audio/SoundSystem.h"
#include "engine/core/GameClock.h"
#include "engine/core/Log.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/LabelManager.h"
#include "engine/store/SaveGame.h"
#include "engine/ui/ScreenBase.h"

namespace {
GameApp* g_instance = nullptr;
}

GameApp::GameApp()
    : labels(std::make_unique<LabelManager>())
{
    clock = std::make_unique<GameClock>();
    clock->reset();
    g_instance = this;
    setAppContext(this);
    resources = std::make_unique<ResourceManager>();
}

GameApp::~GameApp()
{
    deleteAllScreens();
    saveGame.reset();
    extraResources.clear();
    clock.reset();
    resources.reset();
    labels.reset();
    soundSystem.reset();
    if (g_instance == this)
        g_instance = nullptr;
    if (appContext() == this)
        setAppContext(nullptr);
}

GameApp* GameApp::instance()
{
    return g_instance;
}

void GameApp::showStartScreen()
{
}

bool GameApp::onQuitRequested()
{
    return true;
}

void GameApp::onExit()
{
}

std::string GameApp::getGameId() const
{
    return "UNIMPLEMENTED";
}

bool GameApp::captureScreen(const std::string&)
{
    return false;
}

void GameApp::pushScreen(ScreenBase* screen)
{
    if (!screen)
        return;
    if (!screens.empty())
        screens.back()->deactivate(this);
    screens.push_back(screen);
    ++stackChanges;
    screen->enter(this);
}

void GameApp::popScreen()
{
    if (screens.empty())
        return;
    ScreenBase* top = screens.back();
    screens.pop_back();
    ++stackChanges;
    top->popped(this);  // deletes it
    if (!screens.empty())
        screens.back()->activate(this);
}

void GameApp::replaceScreen(ScreenBase* screen)
{
    if (screens.empty()) {
        // Nothing to replace: the screen is not shown, and nobody else would
        // ever delete it.
        delete screen;
        return;
    }
    ScreenBase* top = screens.back();
    screens.pop_back();
    ++stackChanges;
    top->popped(this);
    if (screen)
        screen->show(this);
}

ScreenBase* GameApp::topScreen() const
{
    return screens.empty() ? nullptr : screens.back();
}

void GameApp::showScreen(ScreenBase* screen)
{
    if (screen)
        screen->show(this);
}

void GameApp::closeScreen(ScreenBase*)
{
    popScreen();
}

ResourceManager* GameApp::createResourceManager(int& index)
{
    index = static_cast<int>(extraResources.size());
    extraResources.push_back(std::make_unique<ResourceManager>());
    return extraResources.back().get();
}

void GameApp::destroyResourceManager(int index)
{
    if (index < 0 || index >= static_cast<int>(extraResources.size())) {
        logError("destroyResourceManager: no resource manager slot " + std::to_string(index));
        return;
    }
    extraResources[static_cast<size_t>(index)].reset();
}

ResourceManager* GameApp::getExtraResources(int index) const
{
    if (index < 0 || index >= static_cast<int>(extraResources.size()))
        return nullptr;
    return extraResources[static_cast<size_t>(index)].get();
}

void GameApp::setSaveGame(SaveGame* store)
{
    saveGame.reset(store);
}

void GameApp::deleteAllScreens()
{
    while (!screens.empty()) {
        ScreenBase* top = screens.back();
        screens.pop_back();
        ++stackChanges;
        top->popped(this);
    }
}
