#include "frontend/DiaryScreen.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/StoryRoutes.h"
#include "game/ContentTables.h"
#include "game/QuestManager.h"

#include <string>

namespace {
const Color BackgroundFill(52, 36, 22, 255);
}

DiaryScreen::DiaryScreen(bool returnOnly, int entryId, bool, bool offer, bool noPush)
    : ScreenBase(std::string())
    , returnToCaller(returnOnly)
    , openAtEntryId(entryId)
    , offerChapterTransition(offer)
    , noPushOnLeave(noPush)
{
    setInTransition(new FadeInTransition(FadeMs));
    setOutTransition(new FadeOutTransition(FadeMs));
}

void DiaryScreen::loadResources()
{
    registerJournalResources(getResources());
}

void DiaryScreen::build()
{
    layout.attach(this, "JOURNAL_BG", "JOURNAL_BTN_N", "JOURNAL_BTN_O");
    layout.addTitle("Journal", 160);
    if (openAtEntryId >= 0)
        layout.addText("Entry " + std::to_string(openAtEntryId), 230);
    layout.addButtonRow(this, {{ContinueButton, "Continue"}}, 700);
}

void DiaryScreen::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void DiaryScreen::onButtonEvent(int id, int event)
{
    if (event == 1 && id == ContinueButton)
        close(ContinueCode, true);
}

void DiaryScreen::onClosed(int)
{
    const StoryRoutes::Next next = StoryRoutes::afterJournal(QuestManager::instance()->currentId(), returnToCaller,
                                                             noPushOnLeave, offerChapterTransition);
    ScreenRoutes::leave(this);
    ScreenRoutes::show(ScreenRoutes::storyScreen(next, StoryRoutes::journalChapter()));
}
