#include "frontend/ScreenRoutes.h"

#include "engine/app/GameApp.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/MainMenu.h"
#include "game/GameFlow.h"

#include <string>

void ScreenRoutes::show(ScreenBase* screen)
{
    if (!screen)
        return;
    if (GameApp* app = GameApp::instance()) {
        app->showScreen(screen);
        return;
    }
    if (!appContext()) {
        logError("screen '" + screen->getName() + "' cannot be shown without an application; it is dropped");
        delete screen;
        return;
    }
    screen->show(nullptr);
}

void ScreenRoutes::leave(ScreenBase* leaving, ScreenBase* next)
{
    if (AppContext* app = appContext())
        app->closeScreen(leaving);
    show(next);
}

ScreenBase* ScreenRoutes::flowScreenOrMenu(bool advance)
{
    GameFlow* flow = GameFlow::instance();
    if (ScreenBase* next = flow->nextScreen(advance))
        return next;
    logWarning("game flow: no screen at position " + std::to_string(flow->index) + "; showing the main menu");
    return new MainMenu();
}
