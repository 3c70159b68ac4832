#include "frontend/TavrinIntro.h"

#include "frontend/MainMenu.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/StoryRoutes.h"
#include "game/ContentTables.h"
#include "game/GameFlow.h"
#include "game/QuestManager.h"

#include <string>

namespace {
const Color BackgroundFill(16, 20, 36, 255);
}

TavrinIntro::TavrinIntro(bool* isEpilogue)
    : ScreenBase(std::string())
    , epilogue(isEpilogue && *isEpilogue)
{
}

void TavrinIntro::loadResources()
{
    registerIntroResources(getResources());
}

void TavrinIntro::build()
{
    layout.attach(this, "INTRO_BG", std::string(), std::string());
    layout.addTitle(epilogue ? "Epilogue" : "Prologue", 160);
    layout.addButtonRow(this, {{ContinueButton, "Continue"}}, 660);
}

void TavrinIntro::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void TavrinIntro::onButtonEvent(int id, int event)
{
    if (event == 1 && id == ContinueButton)
        close(ContinueCode, true);
}

void TavrinIntro::onClosed(int)
{
    if (epilogue) {
        // The story is over: a later Play starts it from its beginning.
        GameFlow::instance()->index = 0;
        QuestManager::instance()->reset();
        ScreenRoutes::leave(this, new MainMenu());
        return;
    }
    const StoryRoutes::Next next = StoryRoutes::afterPrologue(QuestManager::instance()->currentId());
    ScreenRoutes::leave(this);
    ScreenRoutes::show(ScreenRoutes::storyScreen(next, StoryRoutes::prologueChapter()));
}
