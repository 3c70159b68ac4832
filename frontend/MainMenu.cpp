#include "frontend/MainMenu.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/GameFlow.h"

#include <string>

namespace {
const Color BackgroundFill(20, 24, 48, 255);
}

MainMenu::MainMenu()
    : ScreenBase(std::string())
{
    setInTransition(new FadeInTransition(FadeMs));
    setOutTransition(new FadeOutTransition(FadeMs));
}

MainMenu::~MainMenu() = default;

void MainMenu::loadResources()
{
    registerMainMenuResources(getResources());
}

void MainMenu::build()
{
    layout.attach(this, "MAIN_BG", "MAIN_BTN_N", "MAIN_BTN_O");
    layout.addTitle("Main Menu", 180);
    layout.addButtonRow(this, {{PlayButton, "Play"}, {QuitButton, "Quit"}}, 600);
}

void MainMenu::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void MainMenu::onButtonEvent(int id, int event)
{
    if (event != 1)
        return;
    if (id == PlayButton) {
        play();
    } else if (id == QuitButton) {
        if (AppContext* app = appContext())
            app->requestQuit();
    }
}

void MainMenu::play()
{
    // The next screen is made before the menu leaves, so that a flow with
    // nothing to show leaves the player on the menu rather than on an empty
    // stack.
    GameFlow* flow = GameFlow::instance();
    ScreenBase* next = flow->nextScreen(false);
    if (!next) {
        logWarning("main menu: the game flow has no screen at position " + std::to_string(flow->index));
        return;
    }
    pending.reset(next);
    close(PlayCode, true);
}

void MainMenu::onClosed(int resultCode)
{
    if (resultCode == PlayCode && pending)
        ScreenRoutes::leave(this, pending.release());
}
