#include "minigames/MgMemoryMatch.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/UiServices.h"
#include "game/ContentTables.h"

namespace {

// Buttons (reporting to onButtonEvent) and the slide action.
enum MemoryMatchId : int { StartButton = 0, MatchButton = 1, DontMatchButton = 2, SlideAction = 0 };

const Point StartPlace(408, 510);
const Point MatchPlace(285, 510);
const Point DontMatchPlace(540, 510);
// Outside the 1024 x 768 layout: hidden and out of reach.
const Point Away(1025, 769);
const Point PatchCorner(328, 107);
// The symbol showing, and the one waiting left of the window; a slide moves
// both by SlideDistance.
const Point CurrentCorner(414, 192);
const Point NextCorner(154, 192);
constexpr int SlidePauseMs = 100;
constexpr int SlideMoveMs = 400;
constexpr int SlideDistance = 250;
constexpr int LayoutWidth = 1024;
const Color Green(0, 255, 0, 255);
const Color Red(255, 0, 0, 255);

const char* const ImageFolder = "content/images/minigames/01_memmatch/";

void moveButton(QuarnButton* button, Point p)
{
    if (button)
        button->setPosition(p.x, p.y);
}

} // namespace

const WidgetGeometry MgMemoryMatch::Window(359, 200, 0, 305, 264);

MgMemoryMatch::MgMemoryMatch(int questId)
    : MiniGameBase(questId)
    , imageKey("Quest" + std::to_string(questId + 1))
{
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<Setter<int>>(&slideOffset, 0));
    sequence->add(std::make_unique<ActionDelay>(Duration(SlidePauseMs)));
    sequence->add(std::make_unique<RelIncrementator<int>>(Duration(SlideMoveMs), &slideOffset, SlideDistance));
    slide = sequence.get();
    addAction(std::move(sequence));
}

MgMemoryMatch::~MgMemoryMatch() = default;

void MgMemoryMatch::loadResources()
{
    MiniGameBase::loadResources();
    registerMemoryMatchResources(getResources());
}

void MgMemoryMatch::build()
{
    MiniGameBase::build();
    startButton = addCaptionButton(StartButton, "MG_BASE_BTN_BIG_N", "MG_BASE_BTN_BIG_O", label("START"), StartPlace.x,
                                   StartPlace.y);
    matchButton =
        addCaptionButton(MatchButton, "MG_BASE_BTN_BIG_N", "MG_BASE_BTN_BIG_O", label("MATCH"), Away.x, Away.y);
    dontMatchButton = addCaptionButton(DontMatchButton, "MG_BASE_BTN_BIG_N", "MG_BASE_BTN_BIG_O", label("DONT_MATCH"),
                                       Away.x, Away.y);
    const std::string folder = ImageFolder + imageKey + "/";
    const std::string extension = getParamString("Game.Images.Extension", std::string());
    for (int i = 1; i <= rules.getSymbolCount(); ++i)
        symbols[i] = registerImage(folder + "Symbol" + std::to_string(i) + extension);
    background = registerImage(folder + "bg" + extension);
    rules.deal(randomBelow);
}

bool MgMemoryMatch::isSliding() const
{
    return slide->isRunning();
}

void MgMemoryMatch::onButtonEvent(int id, int event)
{
    if (event != 1 || isSliding() || answered)
        return;
    switch (id) {
    case StartButton:
        moveButton(startButton, Away);
        moveButton(matchButton, MatchPlace);
        moveButton(dontMatchButton, DontMatchPlace);
        break;
    case MatchButton:
    case DontMatchButton:
        playUiSound(rules.answer(id == MatchButton) == MemoryMatchRules::Right ? "MG_CORRECT" : "MG_NOTCORRECT");
        break;
    default:
        return;
    }
    if (rules.isLastAnswer()) {
        // Later clicks change nothing: the game is solved once.
        answered = true;
        onSolved();
        return;
    }
    slideNext();
}

void MgMemoryMatch::slideNext()
{
    slide->start(this, SlideAction);
    playUiSound("MG_MEMORYMATCH_SLIDE");
}

void MgMemoryMatch::onActionFinished(int32_t id)
{
    switch (id) {
    case SlideAction:
        slideOffset = 0;
        rules.slideFinished(randomBelow);
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

GLTexture* MgMemoryMatch::symbol(int number) const
{
    const auto it = symbols.find(number);
    return it == symbols.end() ? nullptr : it->second;
}

void MgMemoryMatch::drawBackground(Graphics& g)
{
    const Color white = Color::white();
    if (background)
        g.drawImage(0, 0, background, white);
    if (GLTexture* patch = getResources()->findTexture("MG_MEMORYMATCH_PAPER_PATCH"))
        g.drawImage(PatchCorner.x, PatchCorner.y, patch, white);
    g.setClipRect(Window.x, Window.y, Window.w, Window.h);
    g.enableClip(true);
    if (GLTexture* current = symbol(rules.getCurrent()))
        g.drawImage(CurrentCorner.x + slideOffset, CurrentCorner.y, current, white);
    if (GLTexture* next = symbol(rules.getNext()))
        g.drawImage(NextCorner.x + slideOffset, NextCorner.y, next, white);
    g.enableClip(false);
    if (GLTexture* paper = getResources()->findTexture("MG_MEMORYMATCH_PAPER"))
        g.drawImage(0, 0, paper, white);
    const MemoryMatchRules::Verdict verdict = rules.getVerdict();
    if (verdict != MemoryMatchRules::NoVerdict && FONT_TIMES24_WHITE) {
        const std::string text = label(verdict == MemoryMatchRules::Right ? "CORRECT" : "NOT_CORRECT");
        const int x = static_cast<int>((LayoutWidth - FONT_TIMES24_WHITE->textWidth(text)) * 0.5);
        FONT_TIMES24_WHITE->drawRun(g, x, VerdictY, text, verdict == MemoryMatchRules::Right ? Green : Red);
    }
}

std::string MgMemoryMatch::puzzleState() const
{
    return rules.describe() + (isSliding() ? " sliding=1" : " sliding=0");
}
