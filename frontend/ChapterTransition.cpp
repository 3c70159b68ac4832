#include "frontend/ChapterTransition.h"

#include "frontend/DiaryScreen.h"
#include "frontend/ScreenRoutes.h"

#include <string>

namespace {
const Color BackgroundFill(0, 0, 0, 255);
}

ChapterTransition::ChapterTransition(int* chapterNumber)
    : ScreenBase(std::string())
    , chapter(chapterNumber ? *chapterNumber : 0)
{
}

void ChapterTransition::loadResources()
{
    // Only the application's fonts are drawn.
}

void ChapterTransition::build()
{
    layout.attach(this, std::string(), std::string(), std::string());
    layout.addTitle("Chapter " + std::to_string(chapter), 330);
    layout.addButtonRow(this, {{ContinueButton, "Continue"}}, 620);
}

void ChapterTransition::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void ChapterTransition::onButtonEvent(int id, int event)
{
    if (event == 1 && id == ContinueButton)
        close(ContinueCode, true);
}

void ChapterTransition::onClosed(int)
{
    ScreenRoutes::leave(this, new DiaryScreen(false, -1, true, false, false));
}
