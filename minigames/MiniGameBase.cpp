#include "minigames/MiniGameBase.h"

#include "engine/anim/Action.h"
#include "engine/anim/ActionDelay.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/app/GameApp.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Image.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/store/LabelManager.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/MessageDialogDesc.h"
#include "engine/ui/MessageDialogSimple.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "minigames/ContentBounds.h"
#include "minigames/CountdownButton.h"

#include <algorithm>
#include <cmath>

namespace {

// The fixed layout the messages are placed in.
constexpr int LayoutWidth = 1024;
constexpr int LayoutHeight = 768;
constexpr int EscapeKey = 27;
constexpr int CentreBoth = 2;

// The skip button's bar: from x 7 across 242 columns, at y 17.
constexpr int SkipFillX = 7;
constexpr int SkipFillY = 17;
constexpr int SkipFillWidth = 242;
// The help button sits at x 7 with its bottom edge at y 762.
constexpr int HelpX = 7;
constexpr int HelpBottom = 762;

// The messages: a 512 x 256 panel at (256, 256); title 24 below its top.
const char* const OpenClip = "content/animations/UniversalDialog/MessageDialogStart.xml";
const char* const CloseClip = "content/animations/UniversalDialog/MessageDialogClose.xml";
constexpr int PanelX = 256;
constexpr int PanelY = 256;
constexpr int PanelWidth = 512;
constexpr int PanelHeight = 256;
constexpr int TitleY = 24;
constexpr int ConfirmY = 448;
constexpr int YesX = 328;
constexpr int NoX = 498;
constexpr int AnswerY = 444;
const WidgetGeometry TutorialTextBox(46, 71, 0, 404, 133);
const WidgetGeometry FinishedTextBox(47, 71, 0, 410, 130);
// The games' captioned buttons: caption box and look cross-fade.
const WidgetGeometry CaptionBox(1, 7, 0, 204, 34);
constexpr int ButtonFadeMs = 300;
constexpr int TutorialTitleShift = 256;
constexpr int FinishedTitleShift = 270;

const std::string Missing = "\x01missing";

int appWidth()
{
    AppContext* app = appContext();
    return app && app->getWidth() > 0 ? app->getWidth() : LayoutWidth;
}

int appHeight()
{
    AppContext* app = appContext();
    return app && app->getHeight() > 0 ? app->getHeight() : LayoutHeight;
}

// Whether the tuning table has the key. Without a table the getters warn by
// themselves.
bool tuningHas(const std::string& key)
{
    const ConfigFile* table = gameParameters();
    return !table || table->getParamString(key, Missing) != Missing;
}

void warnMissing(const std::string& key, const std::string& used)
{
    if (!tuningHas(key))
        logWarningOnce("tuning key \"" + key + "\" is missing; using " + used);
}

int fadeLength(const std::string& key)
{
    return std::max(0, getParamInt(key, MiniGameBase::DefaultFadeMs));
}

} // namespace

MiniGameBase::MiniGameBase(int quest)
    : ScreenBase(std::string())
    , questId(quest)
    , questKey("Quest" + std::to_string(quest))
{
    QuestManager* quests = QuestManager::instance();
    // Reaching a later quest's minigame finishes the quest the player was on.
    const Quest* current = quests->getCurrent();
    if (current && current->id < questId)
        quests->completeCurrent();
    if (Quest* own = quests->questAt(questId)) {
        quests->setCurrent(questId);
        own->open = true;
    }
    warnMissing("MiniGameBase.FadeInTransition", std::to_string(DefaultFadeMs));
    warnMissing("MiniGameBase.FadeOutTransition", std::to_string(DefaultFadeMs));
    setInTransition(new FadeInTransition(fadeLength("MiniGameBase.FadeInTransition")));
    setOutTransition(new FadeOutTransition(fadeLength("MiniGameBase.FadeOutTransition")));
}

MiniGameBase::~MiniGameBase() = default;

bool MiniGameBase::isBonusQuest(int id)
{
    return id == 27 || id == 41 || id == 49;
}

std::vector<MouseEvent> MiniGameBase::splitMotion(const MouseEvent& motion)
{
    const int n = static_cast<int>(std::sqrt(static_cast<double>(motion.dx) * motion.dx +
                                             static_cast<double>(motion.dy) * motion.dy)) /
                  MotionStep;
    if (n == 0)
        return {motion};
    const int fromX = motion.x - motion.dx;
    const int fromY = motion.y - motion.dy;
    std::vector<MouseEvent> steps;
    steps.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        MouseEvent e;
        e.dx = motion.dx / n;
        e.dy = motion.dy / n;
        e.x = static_cast<int>(fromX + static_cast<double>(i) * motion.dx / n);
        e.y = static_cast<int>(fromY + static_cast<double>(i) * motion.dy / n);
        e.handled = 0;
        e.type = MouseEvent::Move;
        e.buttons = motion.buttons;
        steps.push_back(e);
    }
    return steps;
}

void MiniGameBase::applyBlit(Image& target, const BlitRecord& r)
{
    ImageGraphics* g = target.graphics();
    if (!g || !r.source)
        return;
    g->combineRegion(r.x, r.y, r.source, r.rect, r.red, r.green, r.blue, r.alpha, r.replace, r.fast);
}

std::string MiniGameBase::label(const std::string& id)
{
    GameApp* app = GameApp::instance();
    if (!app || !app->getLabels())
        return LabelManager::notFoundText;
    return app->getLabels()->getLabel(id);
}

int MiniGameBase::requiredInt(const std::string& key, int def)
{
    warnMissing(key, std::to_string(def));
    return getParamInt(key, def);
}

int MiniGameBase::requiredCount(const std::string& key, int max)
{
    return ContentBounds::count(requiredInt(key, 0), max, tuningFile(), key);
}

std::string MiniGameBase::tuningFile()
{
    const ConfigFile* table = gameParameters();
    return table ? table->getFileName() : std::string("the tuning table");
}

bool MiniGameBase::requiredBool(const std::string& key, bool def)
{
    warnMissing(key, def ? "true" : "false");
    return getParamBool(key, def);
}

std::string MiniGameBase::requiredString(const std::string& key, const std::string& def)
{
    warnMissing(key, "\"" + def + "\"");
    return getParamString(key, def);
}

int MiniGameBase::screenWidth()
{
    return appWidth();
}

int MiniGameBase::screenHeight()
{
    return appHeight();
}

// ---------------------------------------------------------------------------
// Screen hooks

void MiniGameBase::loadResources()
{
    registerMiniGameBaseResources(getResources());
}

void MiniGameBase::build()
{
    ResourceManager* res = getResources();
    if (questId != NoSkipQuest) {
        const int countdown = requiredInt("MiniGameBase.SkipButton.CountdownTime", DefaultCountdownMs);
        auto* skip = new CountdownButton(res->findTexture("MG_BASE_BTN_SKIP"), res->findTexture("MG_BASE_BTN_SKIP_OVER"),
                                         this, countdown);
        const WidgetGeometry& g = skip->getGeometry();
        skip->setBounds(static_cast<int>((appWidth() - g.w) * 0.5), appHeight() - g.h, g.w, g.h);
        skip->setCaptionText(label("SKIP"), FONT_TIMES16);
        skip->setFill(res->findTexture("MG_BASE_BTN_SKIP_FILL"), SkipFillX, SkipFillY, SkipFillWidth);
        addWidget(skip);
        skipButton = skip;
    }
    GLTexture* help = res->findTexture("MG_BASE_BTN_HELP");
    const int w = help ? help->getWidth() : 0;
    const int h = help ? help->getHeight() : 0;
    helpButton = new SimpleImageButton(this, HelpX, HelpBottom - h, w, h, help, res->findTexture("MG_BASE_BTN_HELP_OVER"),
                                       nullptr, HelpButtonId);
    addWidget(helpButton);
}

void MiniGameBase::onUpdate(int dt)
{
    // Actions added while this runs (by a listener) start next frame.
    const size_t count = actions.size();
    for (size_t i = 0; i < count && i < actions.size(); ++i) {
        if (actions[i])
            actions[i]->update(dt);
    }
    flushBlits();
}

void MiniGameBase::onEntered()
{
    showTutorial();
}

void MiniGameBase::resetPuzzle() {}

void MiniGameBase::onSolved()
{
    scheduleFinish();
}

void MiniGameBase::onPlayStart() {}
void MiniGameBase::onPlayPause() {}
void MiniGameBase::onPlayResume() {}

void MiniGameBase::showTutorial()
{
    openTutorial(questId > 0 ? label("TUTORIAL_" + questKey) : std::string());
}

void MiniGameBase::openTutorial(const std::string& text)
{
    openMessage(TutorialDialogId, label("TUTORIAL"), text, TutorialTitleShift, TutorialTextBox);
}

std::string MiniGameBase::puzzleState() const
{
    return std::string();
}

// ---------------------------------------------------------------------------
// Input

void MiniGameBase::onKey(KeyEvent* event)
{
    if (!event || event->key != EscapeKey || event->type != KeyEvent::Pressed)
        return;
    // Not while a message is open or the screen is fading: a solved game
    // must not be re-closed as skipped, and the question opens only once.
    if (escapeLatch || solved || finishedShown || openDialog != 0 || state != Running)
        return;
    if (!skipButton || !skipButton->isFinished())
        return;
    escapeLatch = true;
    onButton(SkipButtonId, 1);
}

void MiniGameBase::onMouse(MouseEvent event)
{
    if (event.type != MouseEvent::Move) {
        ScreenBase::onMouse(event);
        return;
    }
    lastMouseX = event.x;
    lastMouseY = event.y;
    for (const MouseEvent& step : splitMotion(event))
        ScreenBase::onMouse(step);
}

void MiniGameBase::activate(GameApp* app)
{
    // A game on its way out keeps its input off.
    if (state != Leaving && widgetManager)
        widgetManager->setInputEnabled(true);
    ScreenBase::activate(app);
}

void MiniGameBase::onButton(int id, int buttonState)
{
    if (buttonState != 1)
        return;
    switch (id) {
    case SkipButtonId: {
        // A solved game keeps its solved ending: no question, no skip.
        if (solved)
            break;
        const PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
        if (profile && profile->getPlayMode() == PlayerProfile::Fearless) {
            pausePlay();
            askSkip();
        } else if (state != Leaving) {
            close(SkippedCode, true);
        }
        break;
    }
    case ResetButtonId:
        resetPuzzle();
        break;
    case HelpButtonId:
        // Nothing is left to explain once the game is solved; a tutorial
        // opened now would lie under the finished message.
        if (solved)
            break;
        pausePlay();
        showTutorial();
        break;
    default:
        break;
    }
}

void MiniGameBase::onButtonEvent(int, int) {}

void MiniGameBase::pausePlay()
{
    onPlayPause();
    playTimeRunning = false;
    if (skipButton)
        skipButton->pauseCountdown();
}

// ---------------------------------------------------------------------------
// Messages and actions

void MiniGameBase::onActionFinished(int32_t id)
{
    if (id == FinishDelayId)
        showFinishedDialog();
}

void MiniGameBase::onDialogClosed(int32_t id)
{
    switch (id) {
    case TutorialDialogId:
        openDialog = 0;
        if (tutorialSeen) {
            onPlayResume();
        } else {
            tutorialSeen = true;
            onPlayStart();
        }
        playTimeRunning = true;
        resumeSkipCountdown();
        showPendingFinish();
        break;
    case FinishedDialogId:
        openDialog = 0;
        if (state != Leaving)
            close(SolvedCode, true);
        break;
    default:
        break;
    }
}

void MiniGameBase::onAnswer(int32_t id, int32_t answer)
{
    if (id != SkipQuestionId)
        return;
    openDialog = 0;
    escapeLatch = false;
    // A game solved meanwhile keeps its solved ending.
    if (answer == 1 && !solved) {
        if (state != Leaving)
            close(SkippedCode, true);
        return;
    }
    resumeSkipCountdown();
    playTimeRunning = true;
    onPlayResume();
    showPendingFinish();
}

void MiniGameBase::resumeSkipCountdown()
{
    // The finished message stopped it for good, or is about to: a message
    // closed over a solved game does not start it again.
    if (skipButton && !finishedShown && !finishPending)
        skipButton->resumeCountdown();
}

void MiniGameBase::markSolved()
{
    solved = true;
}

void MiniGameBase::showPendingFinish()
{
    if (finishPending && openDialog == 0)
        showFinishedDialog();
}

void MiniGameBase::scheduleFinish()
{
    markSolved();
    auto delay = std::make_unique<ActionDelay>(Duration(FinishDelayMs));
    delay->start(this, FinishDelayId);
    addAction(std::move(delay));
}

void MiniGameBase::showFinishedDialog()
{
    // A game already on its way out (skipped before the frame knew it was
    // solved) shows nothing more.
    if (finishedShown || state == Leaving)
        return;
    markSolved();
    // One message at a time: over an open tutorial or skip question the
    // finished message waits until that one is closed.
    if (openDialog != 0) {
        finishPending = true;
        if (skipButton && !skipButton->isFinished())
            skipButton->pauseCountdown();
        return;
    }
    finishPending = false;
    finishedShown = true;
    if (skipButton && !skipButton->isFinished())
        skipButton->pauseCountdown();
    openMessage(FinishedDialogId, label("MINIGAME_FINISHED_CAPTION"),
                questId > 0 ? label("GAME_FINISHED_" + questKey) : std::string(), FinishedTitleShift, FinishedTextBox);
}

void MiniGameBase::askSkip()
{
    MessageDialogDesc desc = messageDesc(label("SKIP_PUZZLE"), label("SKIP_MINIGAME"), TutorialTitleShift,
                                         TutorialTextBox);
    desc.firstCaption = label("YES");
    desc.secondCaption = label("NO");
    desc.firstButtonX = YesX;
    desc.firstButtonY = AnswerY;
    desc.secondButtonX = NoX;
    desc.secondButtonY = AnswerY;
    addWidget(new MessageQuestionDialogSimple(desc, SkipQuestionId, static_cast<MessageQuestionDialogListener*>(this)));
    openDialog = SkipQuestionId;
}

void MiniGameBase::openMessage(int dialogId, const std::string& title, const std::string& text, int titleShift,
                               const WidgetGeometry& textBox)
{
    MessageDialogDesc desc = messageDesc(title, text, titleShift, textBox);
    desc.firstCaption = label("OK");
    const int buttonWidth = desc.buttonNormal ? desc.buttonNormal->getWidth() : 0;
    desc.firstButtonX = static_cast<int>((appWidth() - buttonWidth) * 0.5);
    desc.firstButtonY = ConfirmY;
    addWidget(new MessageDialogSimple(desc, static_cast<MessageDialogSimpleListener*>(this), dialogId));
    openDialog = dialogId;
}

MessageDialogDesc MiniGameBase::messageDesc(const std::string& title, const std::string& text, int titleShift,
                                            const WidgetGeometry& textBox) const
{
    MessageDialogDesc desc;
    desc.openAnimation = OpenClip;
    desc.closeAnimation = CloseClip;
    desc.title = title;
    desc.text = text;
    desc.textAlignment = CentreBoth;
    desc.textFont = FONT_TIMES16_NE;
    desc.titleFont = FONT_TIMES24;
    desc.textBox = textBox;
    desc.x = PanelX;
    desc.y = PanelY;
    desc.panelWidth = PanelWidth;
    desc.panelHeight = PanelHeight;
    // The dialog draws its title in capitals: centre what it draws.
    const int titleWidth = FONT_TIMES24 ? FONT_TIMES24->textWidth(toUpper(title)) : 0;
    desc.titleX = static_cast<int>((LayoutWidth - titleWidth) * 0.5 - titleShift);
    desc.titleY = TitleY;
    desc.buttonNormal = getResources()->findTexture("MG_BASE_BTN_N");
    desc.buttonOver = getResources()->findTexture("MG_BASE_BTN_O");
    desc.buttonFont = FONT_TIMES16;
    return desc;
}

void MiniGameBase::addAction(std::unique_ptr<Action> action)
{
    if (action)
        actions.push_back(std::move(action));
}

// ---------------------------------------------------------------------------
// Blits

void MiniGameBase::queueBlit(int x, int y)
{
    GLTexture* target = getResources()->findTexture("MG_CASTINGSPELLS_BG");
    GLTexture* brush = getResources()->findTexture("MG_CASTINGSPELLS_BRUSH");
    if (!target || !brush || !brush->getImage())
        return;
    BlitRecord record;
    record.x = x;
    record.y = y;
    record.source = brush->getImage();
    record.rect = Rect(0.f, 0.f, static_cast<float>(brush->getWidth()), static_cast<float>(brush->getHeight()));
    queueBlit(target, record);
}

void MiniGameBase::queueBlit(GLTexture* target, const BlitRecord& record)
{
    if (target)
        blitQueue[target].push_back(record);
}

void MiniGameBase::clearBlitQueue()
{
    blitQueue.clear();
}

void MiniGameBase::raiseFrameButtons()
{
    for (Widget* button : {static_cast<Widget*>(skipButton), static_cast<Widget*>(helpButton)}) {
        if (button && button->getManager())
            button->getManager()->raiseWidget(button);
    }
}

GLTexture* MiniGameBase::addImage(const std::string& path)
{
    auto* texture = new GLTexture(path);
    getResources()->addTexture(texture);
    return texture;
}

GLTexture* MiniGameBase::registerImage(const std::string& path)
{
    auto* texture = new GLTexture(path);
    getResources()->registerTexture(path, texture);
    return texture;
}

QuarnButton* MiniGameBase::addCaptionButton(int id, const std::string& normalId, const std::string& overId,
                                            const std::string& caption, int x, int y)
{
    GLTexture* normal = getResources()->findTexture(normalId);
    GLTexture* over = getResources()->findTexture(overId);
    const ButtonDesc::Look plain(Color::white(), Color::white(), normal, WidgetGeometry(), FONT_TIMES16);
    const ButtonDesc::Look lit(Color::white(), Color::white(), over ? over : normal, WidgetGeometry(), FONT_TIMES16);
    ButtonDesc desc(plain, lit, lit, plain, ButtonFadeMs);
    desc.hAlign = CentreBoth;
    desc.vAlign = CentreBoth;
    desc.captionBox = CaptionBox;
    QuarnButton* button = createQuarnButton(this, id, desc, caption);
    button->setBounds(x, y, pictureWidth(normal), pictureHeight(normal));
    addWidget(button);
    return button;
}

void MiniGameBase::flushBlits()
{
    for (auto& [texture, records] : blitQueue) {
        Image* image = texture->getImage();
        if (!image)
            continue;
        texture->releaseGpu();
        for (const BlitRecord& record : records)
            applyBlit(*image, record);
        texture->upload();
    }
    blitQueue.clear();
}

// ---------------------------------------------------------------------------
// Endings

void MiniGameBase::recordQuest()
{
    // A bonus quest is recorded on the player's profile, not in the quest
    // graph.
    if (!isBonusQuest(questId)) {
        QuestManager::instance()->complete(questId);
        return;
    }
    if (PlayerProfile* profile = PlayerProfiles::instance()->currentProfile())
        profile->setBonusFlag(questId);
}

void MiniGameBase::awardPoints()
{
    PlayerProfiles* players = PlayerProfiles::instance();
    PlayerProfile* profile = players->currentProfile();
    if (!profile || profile->getPlayMode() != PlayerProfile::Fearless)
        return;
    profile->addScore(requiredInt("Points.MiniGame", DefaultPoints));
    players->addHighScore(profile);
}

void MiniGameBase::onClosed(int resultCode)
{
    if (resultCode != SolvedCode && resultCode != SkippedCode)
        return;
    recordQuest();
    if (resultCode == SolvedCode)
        awardPoints();
    ScreenRoutes::leave(this);
}
