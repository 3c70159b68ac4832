#include "frontend/ScreenRoutes.h"

#include "engine/app/GameApp.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/ui/ScreenBase.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "frontend/ChapterTransition.h"
#include "frontend/MainMenu.h"
#include "frontend/MapOfKingdom.h"
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

ScreenBase* ScreenRoutes::storyScreen(StoryRoutes::Next next, int chapter)
{
    switch (next) {
    case StoryRoutes::Next::Stay:
        return nullptr;
    case StoryRoutes::Next::FlowNext:
        return flowScreenOrMenu(true);
    case StoryRoutes::Next::FlowCurrent:
        return flowScreenOrMenu(false);
    case StoryRoutes::Next::ChapterTransition: {
        auto* transition = new ChapterTransition(&chapter);
        transition->setInTransition(new FadeInTransition(500));
        transition->setOutTransition(new FadeOutTransition(500));
        return transition;
    }
    case StoryRoutes::Next::Map: {
        int location = -1;
        return new MapOfKingdom(&location);
    }
    }
    return nullptr;
}
