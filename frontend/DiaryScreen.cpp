#include "frontend/DiaryScreen.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/core/AppContext.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/QuarnButton.h"
#include "frontend/FrontendUi.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/StoryRoutes.h"
#include "frontend/StoryVoice.h"
#include "game/ContentTables.h"
#include "game/QuestManager.h"

#include <string>

namespace {
const WidgetGeometry ArrowCaption(1, 7, 0, 100, 34);
const WidgetGeometry ContinueCaption(1, 7, 0, 204, 34);
const int ArrowY = 663;
const int ContinueY = 700;
const char* const OpenVoice = "VO_OPEN_STORYBOOK";
const char* const CloseVoice = "VO_CLOSING_STORYBOOK";
} // namespace

DiaryScreen::DiaryScreen(bool returnOnly, int entryId, bool turn, bool offer, bool noPush)
    : turnOnEnter(turn)
    , returnToCaller(returnOnly)
    , offerChapterTransition(offer)
    , openAtEntryId(entryId)
    , noPushOnLeave(noPush)
{
    camera.eye = Vec3(0.f, -6.1f, 23.5f);
    camera.center = Vec3(0.f, 6.43f, 0.f);
    camera.up = Vec3(0.f, 1.f, 1.f);
    camera.fieldOfView = 40.f;
    setInTransition(new FadeInTransition(FadeMs));
    setOutTransition(new FadeOutTransition(FadeMs));
    if (openAtEntryId == -1)
        openAtEntryId = QuestManager::instance()->journalEntryForCurrent();
}

DiaryScreen::~DiaryScreen() = default;

void DiaryScreen::onKey(KeyEvent*) {}

void DiaryScreen::loadResources()
{
    registerJournalResources(getResources());
    pageImage = getResources()->findTexture("JOURNAL_PAGE_LEFT");
    backImage = getResources()->findTexture("JOURNAL_PAGE_RIGHT");
}

QuarnButton* DiaryScreen::getButton(int id) const
{
    switch (id) {
    case PreviousButton:
        return previousButton;
    case NextButton:
        return nextButton;
    case ContinueButton:
        return continueButton;
    default:
        return nullptr;
    }
}

void DiaryScreen::build()
{
    loadBook(BookFile, openAtEntryId);
    createSheets();

    ResourceManager* res = getResources();
    GLTexture* prev = res->findTexture("JOURNAL_PREVIOUS_BUTTON");
    GLTexture* prevOver = res->findTexture("JOURNAL_PREVIOUS_BUTTON_O");
    GLTexture* next = res->findTexture("JOURNAL_NEXT_BUTTON");
    GLTexture* nextOver = res->findTexture("JOURNAL_NEXT_BUTTON_O");
    GLTexture* plain = res->findTexture("JOURNAL_BTN_N");
    GLTexture* over = res->findTexture("JOURNAL_BTN_O");
    const int width = appContext() ? appContext()->getWidth() : 1024;
    const int prevWidth = prev ? prev->getWidth() : 0;

    previousButton = FrontendUi::makeButton(this, PreviousButton,
                                            FrontendUi::buttonDesc(prev, prevOver, prevOver, prev, ArrowCaption),
                                            std::string(), std::string(), 30, ArrowY, prev);
    nextButton = FrontendUi::makeButton(this, NextButton,
                                        FrontendUi::buttonDesc(next, nextOver, nextOver, next, ArrowCaption),
                                        std::string(), std::string(), width - prevWidth - 30, ArrowY, prev);
    continueButton = FrontendUi::makeButton(this, ContinueButton,
                                            FrontendUi::buttonDesc(plain, over, over, plain, ContinueCaption),
                                            FrontendUi::label("CONTINUE"), std::string(),
                                            static_cast<int>((width - 205) * 0.5), ContinueY, plain);
    addWidget(previousButton);
    addWidget(nextButton);
    addWidget(continueButton);

    if (openAtEntryId > 0)
        openAtEntry(openAtEntryId);
    updateTurnButtons();
    StoryVoice::play(OpenVoice);
}

void DiaryScreen::updateTurnButtons()
{
    if (previousButton)
        previousButton->setEnabled(canTurnPrevious());
    if (nextButton)
        nextButton->setEnabled(canTurnNext());
}

void DiaryScreen::onEntered()
{
    BookScreen::onEntered();
    if (turnOnEnter)
        turnToNextPage();
}

void DiaryScreen::onPageSwitched(int)
{
    updateTurnButtons();
}

void DiaryScreen::onButtonEvent(int id, int event)
{
    if (event != 1 || isTurning() || closeDelay)
        return;
    switch (id) {
    case PreviousButton:
        turnToPreviousPage();
        break;
    case NextButton:
        turnToNextPage();
        break;
    case ContinueButton:
        continueButton->setEnabled(false);
        previousButton->setEnabled(false);
        nextButton->setEnabled(false);
        StoryVoice::stop(OpenVoice);
        closeDelay = std::make_unique<ActionDelay>(Duration(StoryVoice::lengthMs(CloseVoice)));
        closeDelay->start(this, 0);
        StoryVoice::play(CloseVoice);
        break;
    default:
        break;
    }
}

void DiaryScreen::onUpdate(int dt)
{
    BookScreen::onUpdate(dt);
    if (closeDelay && closeDelay->isRunning())
        closeDelay->update(dt);
}

void DiaryScreen::onActionFinished(int32_t id)
{
    if (id == 0 && getState() != Leaving)
        close(ContinueCode, true);
}

void DiaryScreen::drawUnder3D(Graphics& g)
{
    if (GLTexture* background = getResources()->findTexture("JOURNAL_BG"))
        g.drawImage(0, 0, background, Color::white());
}

void DiaryScreen::onClosed(int)
{
    // Read everything before leaving: leave() deletes the screen.
    const StoryRoutes::Next next = StoryRoutes::afterJournal(QuestManager::instance()->currentId(), returnToCaller,
                                                             noPushOnLeave, offerChapterTransition);
    ScreenRoutes::leave(this);
    ScreenRoutes::show(ScreenRoutes::storyScreen(next, StoryRoutes::journalChapter()));
}
