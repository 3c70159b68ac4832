#include "scenes/QDScene.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/anim/Tweens.h"
#include "engine/app/GameApp.h"
#include "engine/audio/MixMusic.h"
#include "engine/core/AppContext.h"
#include "engine/core/GameClock.h"
#include "engine/core/Log.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/store/LabelManager.h"
#include "engine/store/SaveGame.h"
#include "engine/ui/InputEvents.h"
#include "frontend/RuneSheet.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"
#include "game/SceneMusic.h"
#include "game/SfxContainer.h"
#include "scenes/CollectableItemRenderer.h"
#include "scenes/GoalPanels.h"
#include "scenes/ItemGoalRenderer.h"
#include "scenes/ItemRendererCreators.h"
#include "scenes/ItemRendererFactory.h"
#include "scenes/SceneExitRoute.h"
#include "scenes/SceneKeyItem.h"
#include "scenes/SceneLightSource.h"
#include "scenes/ScoreNotificationWidget.h"
#include "scenes/ScoreWidget.h"
#include "scenes/SceneText.h"

#include <algorithm>

namespace {

const char* const SceneIndexPath = "content/config/scene/sceneIndex.xml";
constexpr int EscapeKey = 27;
constexpr int RuneFadeMs = 250;
constexpr int RuneShowMs = 3000;

PlayerProfile* currentProfile()
{
    return PlayerProfiles::instance()->currentProfile();
}

// Without a profile the scene starts from the beginning.
int savedStepOfCurrentProfile()
{
    const PlayerProfile* profile = currentProfile();
    return profile ? profile->getSavedStep() : 0;
}

int playMode()
{
    const PlayerProfile* profile = currentProfile();
    return profile ? profile->getPlayMode() : PlayerProfile::Casual;
}

void saveTheGame(int sceneId)
{
    GameApp* app = GameApp::instance();
    SaveGame* store = app ? app->getSaveGame() : nullptr;
    if (store && !store->save())
        logError("scene " + std::to_string(sceneId) + ": the game could not be saved");
}

int typeIdOf(const ItemState* state)
{
    return state && state->item ? state->item->typeId : -1;
}

bool isRune(int typeId)
{
    return typeId == QDScene::RuneTypeId || typeId == QDScene::RuneTypeId2;
}

int fadeLength(const char* key)
{
    return std::max(0, getParamInt(key, QDScene::DefaultFadeMs));
}

} // namespace

QDScene::QDScene(int id, const std::string& config, const std::string& rendererConf, const std::string& mechanics,
                 const std::string& groupConf)
    : HOScene(id, config, rendererConf, mechanics, groupConf, savedStepOfCurrentProfile())
    , configPath(config)
    , itemRendererConf(rendererConf)
    , mechanicsConf(mechanics)
    , itemGroupConf(groupConf)
    , score(this)
    , hud(this, this)
    , spells(this)
{
    // The factory holds the rules of one scene: each scene starts a fresh one.
    ItemRendererFactory::destroyInstance();
    registerItemRendererCreators(*ItemRendererFactory::instance());
    if (!loadSceneIndex(SceneIndexPath))
        logError("scene " + std::to_string(id) + ": the scene index stays as it was");
    setInTransition(new FadeInTransition(fadeLength("QDScene.FadeInTransition")));
    setOutTransition(new FadeOutTransition(fadeLength("QDScene.FadeOutTransition")));
    if (AppContext* app = appContext()) {
        const Point at = app->getMousePos();
        pointerX = at.x;
        pointerY = at.y;
    }
}

QDScene::~QDScene() = default;

int QDScene::currentQuestId() const
{
    return QuestManager::instance()->currentId();
}

// ---------------------------------------------------------------------------
// Start, keys, mouse

void QDScene::registerResources()
{
    registerSceneResources(getResources());
}

void QDScene::onSceneStarted()
{
    PlayerProfile* profile = currentProfile();
    if (profile && profile->getPlayMode() == PlayerProfile::Fearless)
        score.open(profile->getScore());
    spells.createEffects();
    if (sceneId <= 1)
        playSceneEffect("SCENE_START");
    const std::string music = SceneMusic::instance()->musicForScene(sceneId);
    if (!music.empty()) {
        auto* track = new MixMusic(music);
        getResources()->registerMusic("SCENE_MUSIC", track);
        track->play(-1);
    }
}

void QDScene::onKeyEvent(KeyEvent* event)
{
    // A scene already leaving (for a child screen, or with a result) keeps
    // its code: a second close would override it.
    if (event && event->type == KeyEvent::Pressed && event->key == EscapeKey && state != Leaving)
        close(MainMenuCode, true);
}

void QDScene::onMouseEventHook(MouseEvent* event)
{
    if (event && event->type == MouseEvent::Move) {
        pointerX = event->x;
        pointerY = event->y;
    }
}

bool QDScene::isWrapVisible() const
{
    return view.isWrapVisible();
}

void QDScene::onMouseDown(MouseEvent* event)
{
    if (!lastHitItem)
        lastHitItem = view.hitTest(*this, event->x, event->y);
    // An item already found, shrinking away, is neither a find nor a miss.
    const auto* collectable =
        lastHitItem ? dynamic_cast<const CollectableItemRenderer*>(lastHitItem->renderer.get()) : nullptr;
    const bool alreadyFound = collectable && collectable->isCollecting();
    if (!alreadyFound && lastHitItem && lastHitItem->renderer && lastHitItem->renderer->isDecoratorEnabled())
        lastHitItem->renderer->onMouseState(0);
    else if (!alreadyFound)
        onMissedClick();
    onMouseEventHook(event);
}

void QDScene::onMouseMove(MouseEvent* event)
{
    if (!trackHover) {
        lastHitItem = nullptr;
    } else {
        ItemState* hit = view.hitTest(*this, event->x, event->y);
        if (hit != lastHitItem) {
            if (lastHitItem && lastHitItem->renderer && lastHitItem->renderer->isDecoratorEnabled())
                lastHitItem->renderer->onMouseState(2);
            lastHitItem = hit;
            if (hit && hit->renderer && hit->renderer->isDecoratorEnabled())
                hit->renderer->onMouseState(1);
        }
    }
    onMouseEventHook(event);
}

// ---------------------------------------------------------------------------
// Drawing and time

void QDScene::beforeItemsRendered(Graphics& g)
{
    view.beginItems(g, renderList);
}

void QDScene::afterItemsRendered(Graphics& g)
{
    view.endItems(g);
    const Color white(255, 255, 255, 255);
    if (view.isPanorama()) {
        if (GLTexture* left = getResources()->findTexture("GUI_NIGHSKY_MASK_L"))
            g.drawImage(0, 0, left, white);
        if (GLTexture* right = getResources()->findTexture("GUI_NIGHSKY_MASK_R"))
            g.drawImage(ScreenWidth - right->getWidth(), 0, right, white);
    }
    fog.draw(g, pointerX, pointerY, getResources()->findTexture("GUI_SPYHOLE"), FONT_TIMES24);
    if (runeMessageAlpha >= 1 && FONT_TIMES16)
        FONT_TIMES16->drawTextInBoxRuns(g, WidgetGeometry(0, 64, 0, ScreenWidth, 32), sceneLabel("RUNE_COLLECTED"),
                                        Color(255, 255, 255, static_cast<uint8_t>(std::min(runeMessageAlpha, 255))),
                                        2, 3, false);
}

void QDScene::onUpdated(int dt)
{
    for (size_t i = 0; i < actions.size(); ++i)
        actions[i]->update(dt);
    fog.update(dt);
    if (runeMessage)
        runeMessage->update(dt);
    spells.update(pointerX, pointerY);
    view.update();
}

void QDScene::onActionFinished(int32_t id)
{
    if (id == SceneSpells::ScrollActionId)
        spells.castArmedSpell();
}

// ---------------------------------------------------------------------------
// Renderers

int QDScene::widestBackground() const
{
    int widest = 0;
    for (ItemState* state : ItemRegistry::instance()->itemsOfGroup(BackgroundGroup, sceneId))
        if (auto* collectable = dynamic_cast<CollectableItemRenderer*>(state->renderer.get()))
            if (collectable->getTexture())
                widest = std::max(widest, collectable->getTexture()->getWidth());
    return widest;
}

WidgetGeometry QDScene::sceneArea() const
{
    // A panorama scrolls its whole width under the pointer.
    return WidgetGeometry(0, 0, 0, std::max<int>(ScreenWidth, widestBackground()), ScreenHeight);
}

void QDScene::onRenderersBuilt()
{
    enableSpecialItems(true);
    const int widest = widestBackground();
    for (ItemState* state : ItemRegistry::instance()->itemsOfGroup(BackgroundGroup, sceneId))
        view.connectLight(dynamic_cast<SceneLightSource*>(state->renderer.get()));
    findKeyItem();
    const bool magicShown = playMode() != PlayerProfile::Casual;
    for (ItemState* state : ItemRegistry::instance()->itemsOfGroup(1, sceneId)) {
        if (typeIdOf(state) != MagicItemTypeId || !state->renderer)
            continue;
        state->renderer->setDecoratorEnabled(magicShown);
        state->renderer->setVisible(magicShown);
        if (!magicShown) {
            state->item->x = static_cast<float>(ScreenWidth);
            state->item->y = static_cast<float>(ScreenHeight);
        }
    }
    view.setSceneWidth(widest);
}

void QDScene::findKeyItem()
{
    keyItem = nullptr;
    for (int group : {1, 2}) {
        for (ItemState* state : ItemRegistry::instance()->itemsOfGroup(group, sceneId))
            if (dynamic_cast<SceneKeyItem*>(state->renderer.get())) {
                keyItem = state;
                break;
            }
    }
}

bool QDScene::onlyKeyItemWanted() const
{
    const std::vector<ItemState*> wanted = ItemRegistry::instance()->itemsOfGroup(2, sceneId);
    return keyItem && wanted.size() == 1 && dynamic_cast<SceneKeyItem*>(wanted.front()->renderer.get());
}

void QDScene::activateKeyItem()
{
    if (!keyItem)
        return;
    if (auto* key = dynamic_cast<SceneKeyItem*>(keyItem->renderer.get()))
        key->activate();
    hideHud();
    raiseItem(keyItem);
}

// ---------------------------------------------------------------------------
// HUD and buttons

void QDScene::showHud()
{
    hud.show(currentQuestId());
    spells.buildHud(currentQuestId());
}

void QDScene::raiseHud()
{
    spells.raise();
    hud.raise();
}

void QDScene::hideHud()
{
    hud.hide(goalPanel);
    spells.hide();
}

void QDScene::onSpellButtonPressed(int id, int event)
{
    spells.onSpellButtonPressed(id, event);
}

void QDScene::runAction(std::unique_ptr<Action> action, int id)
{
    actions.push_back(std::move(action));
    actions.back()->start(this, id);
}

void QDScene::buildNavigationButtons(int questId)
{
    hud.buildNavigationButtons(questId);
}

void QDScene::onButton(int id, int event)
{
    if (event != 1 || state == Leaving)
        return;
    if (id == 7)
        close(MainMenuCode, true);
    else if (id == 11)
        close(SceneDoneCode, true);
}

void QDScene::onButtonEvent(int id, int event)
{
    if (event != 1 || state == Leaving)
        return;
    if (id == SceneHud::MapButton)
        close(MapCode, true);
    else if (id == SceneHud::MenuButton)
        close(MainMenuCode, true);
    else if (id == SceneHud::RunesButton)
        ScreenRoutes::show(new RuneSheet());
}

// ---------------------------------------------------------------------------
// Scoring, missed clicks, runes

void QDScene::onItemFound(ItemState* item)
{
    if (!item)
        return;
    const int typeId = typeIdOf(item);
    const WidgetGeometry box = item->renderer ? item->renderer->geometry() : WidgetGeometry();
    // The points reach the profile when the item leaves the wanted items
    // (onItemRemoved, onItemCollected), the moment a save holds it as found.
    score.holdBack(item, score.award(typeId, box.x + box.w / 2 + static_cast<int>(view.getScrollX()),
                                     box.y + box.h / 2));
    // A rune charges its spell at the click, so that the ready sound and
    // mark come with the find, not after the collect animation.
    spells.chargeSpellFromRune(item);
    spells.onItemFound();
    playSceneEffect(typeId == RuneTypeId        ? "VO_RUNE_COLLECTED"
               : typeId == MagicItemTypeId ? "VO_MAGIC_ITEM_FOUND"
                                           : "SCENE_ITEM_COLLECTED");
}

void QDScene::onMissedClick()
{
    const Point mouse = appContext() ? appContext()->getMousePos() : Point{pointerX, pointerY};
    const bool onRune = typeIdOf(lastHitItem) == RuneTypeId;
    if (!onRune) {
        score.penalise(mouse.x, mouse.y);
        settleScore();
    }
    if (onRune)
        if (auto* rune = dynamic_cast<CollectableItemRenderer*>(lastHitItem->renderer.get()))
            showRuneMessage(rune);
    AppContext* app = appContext();
    const uint64_t now = app && app->getClock() ? app->getClock()->elapsed() : 0;
    if (fog.recordMiss(now)) {
        playSceneEffect("VO_MISS_CLICKS");
        startFog();
    } else {
        playSceneEffect("SCENE_ITEM_MISSED");
    }
}

void QDScene::startFog()
{
    fog.start();
}

void QDScene::showRuneMessage(CollectableItemRenderer* renderer)
{
    renderer->wiggle();
    auto message = std::make_unique<ActionSequence>();
    message->add(std::make_unique<RelIncrementator<int>>(Duration(RuneFadeMs), &runeMessageAlpha,
                                                         255 - runeMessageAlpha));
    message->add(std::make_unique<ActionDelay>(Duration(RuneShowMs)));
    message->add(std::make_unique<RelIncrementator<int>>(Duration(RuneFadeMs), &runeMessageAlpha, -255));
    runeMessage = std::move(message);
    runeMessage->start(nullptr, 0);
}

void QDScene::onItemRemoved(ItemState* item)
{
    ItemRegistry* registry = ItemRegistry::instance();
    if (item) {
        score.release(item);
        settleScore();
    }
    if (item && isRune(typeIdOf(item))) {
        const int group = registry->groupOf(item->key());
        if (group != -1)
            registry->moveItem(group, item->key(), 0);
    }
    if (stepQuestId == 13 && goalPanel && goalPanel->wantedEntries().empty() && keyItem) {
        registry->moveItem(1, keyItem->key(), 2);
        activateKeyItem();
    }
}

void QDScene::onItemCollected(CollectableItemRenderer*, ItemState* item)
{
    ItemRegistry* registry = ItemRegistry::instance();
    score.release(item);
    settleScore();
    if (item && typeIdOf(item) == RuneTypeId) {
        const int group = registry->groupOf(item->key());
        if (group != -1)
            registry->moveItem(group, item->key(), 0);
    }
    fillRenderList();
}

void QDScene::enableSpecialItems(bool withSpecialList)
{
    const std::vector<ItemState*> found = ItemRegistry::instance()->itemsOfGroup(0, -1);
    const Quest* quest2 = QuestManager::instance()->questAt(2);
    const bool runesOpen = quest2 && quest2->done;
    std::vector<int> special;
    if (withSpecialList) {
        const int count = getParamInt("SpecialItems.Number", 0);
        for (int n = 0; n < count; ++n)
            special.push_back(getParamInt("SpecialItems.Item.TypeId." + std::to_string(n), -1));
    }
    for (ItemState* state : renderList) {
        if (!state->renderer || !state->item)
            continue;
        const int typeId = state->item->typeId;
        bool qualifies = std::find(special.begin(), special.end(), typeId) != special.end();
        if (isRune(typeId) && runesOpen) {
            const int32_t minor = state->item->minorGroupID;
            qualifies = qualifies || std::none_of(found.begin(), found.end(), [minor](const ItemState* f) {
                            return f->item && f->item->minorGroupID == minor;
                        });
        }
        if (qualifies)
            state->renderer->setDecoratorEnabled(true);
    }
}

// ---------------------------------------------------------------------------
// Steps and leaving

void QDScene::saveGame() const
{
    if (!replay && currentProfile())
        saveTheGame(sceneId);
}

bool QDScene::settleScore()
{
    PlayerProfile* profile = currentProfile();
    if (!profile || !score.isOpen() || profile->getPlayMode() != PlayerProfile::Fearless)
        return false;
    profile->setScore(score.settle(profile->getScore()));
    return true;
}

void QDScene::storeScore()
{
    if (settleScore())
        PlayerProfiles::instance()->addHighScore(currentProfile());
}

void QDScene::onStepStarted(MechanicsStep* step)
{
    PlayerProfile* profile = currentProfile();
    if (profile && !replay)
        profile->setSavedStep(stepIndex);
    QuestManager* quests = QuestManager::instance();
    const int cur = quests->currentId();
    // The step before has been played. A minigame step makes its screen
    // before this hook runs, and the minigame has already marked that quest
    // done and taken its place as the current one, without opening what the
    // quest opens: completing it here opens those quests either way.
    const Quest* played = stepQuestId != -1 ? quests->findById(stepQuestId) : nullptr;
    if (played && !replay && (stepQuestId == cur || played->done)) {
        quests->complete(played->id);
        storeScore();
    }
    const int bonusIndex = cur == 27 ? 0 : cur == 41 ? 1 : cur == 49 ? 2 : -1;
    if (bonusIndex >= 0 && profile && profile->hasBonusFlag(bonusIndex)) {
        setSuppressScreenSteps(true);
        showHud();
        return;
    }
    // The screen a Screen step opens may add points to the profile (a solved
    // minigame): the profile holds the scene's score, and the scene adds
    // what it gained on top when it is back (onResumed).
    if (step && step->kind == MechanicsStep::Screen)
        storeScore();
    saveGame();
    if (keyItem && cur == 2) {
        activateKeyItem();
        return;
    }
    if (!step || step->kind != MechanicsStep::CollectGroup)
        return;
    // A step with nothing to find (all its items damaged) is passed over at
    // once, but it still takes its quest, gated and made current as any
    // step's, so that the next step's start completes it: without that the
    // quests it opens would never open.
    const bool nothingWanted = ItemRegistry::instance()->itemsOfGroup(2, sceneId).empty();
    if (!nothingWanted && sceneId > 1 && firstStart) {
        firstStart = false;
        if (profile && profile->isSceneVisited(sceneId)) {
            playSceneEffect("VO_REVISITING_LOCATION");
        } else {
            if (profile)
                profile->markSceneVisited(sceneId);
            playSceneEffect("START_NEW_LOCATION");
        }
    }
    Quest* quest = step->rules.empty() ? nullptr : quests->findById(step->rules.front().questId);
    // Without a profile there is no quest state to gate on (before a profile
    // is loaded not even quest 0 is open): the scene is played as it is.
    if (!replay && profile && quest) {
        bool blocked = false;
        for (int need : quest->needs) {
            if (need == -1)
                break;
            const Quest* needed = quests->questAt(need);
            if (needed && !needed->done) {
                quest->open = false;
                blocked = true;
            }
        }
        if (!quest->open || blocked) {
            closeScene(FinishedCode);
            return;
        }
        stepQuestId = quest->id;
        quests->setCurrent(quest->id);
        if (quest->id < 6 && !nothingWanted)
            showHud();
    } else {
        // A step without a quest of its own, a replay or no profile: no gate.
        if (!nothingWanted)
            showHud();
        if (quest) {
            quests->setCurrent(quest->id);
            stepQuestId = quest->id;
        }
    }
    if (nothingWanted)
        return;
    if (ItemGoalRenderer* panel = makeGoalPanel(getResources(), *step))
        setGoalRenderer(panel);
    raiseHud();
    enableSpecialItems(false);
}

void QDScene::onResumed(GameApp*)
{
    // The score stays what it was, plus what the profile gained meanwhile
    // (a solved minigame's points): a pause forgives no miss.
    const PlayerProfile* profile = currentProfile();
    if (profile && score.isOpen())
        score.takeProfileGain(profile->getScore());
}

void QDScene::onPendingAdvance()
{
    if (onlyKeyItemWanted())
        activateKeyItem();
    else
        showHud();
}

void QDScene::onGoalRendererSet()
{
    if (onlyKeyItemWanted()) {
        if (goalPanel)
            goalPanel->setVisible(false);
        buildNavigationButtons(currentQuestId());
        return;
    }
    showHud();
    raiseHud();
}

int32_t QDScene::stepForSavedStepPastScript(int32_t savedStep, int32_t stepCount)
{
    // The scene would count as done without being played, and complete its
    // quest. It starts where the map would start it: at its open quest's
    // stage.
    const int stage = QuestManager::instance()->stageForScreen(sceneId);
    const int32_t fitted = stage > 0 && stage < stepCount ? stage : 0;
    logWarning("scene " + std::to_string(sceneId) + ": the saved step " + std::to_string(savedStep) +
               " is past the scene's " + std::to_string(stepCount) + " steps; it starts at step " +
               std::to_string(fitted));
    return fitted;
}

void QDScene::onAllStepsDone()
{
    const int cur = currentQuestId();
    if (keyItem && cur != 9 && cur != 14) {
        ItemRegistry::instance()->moveItem(1, keyItem->key(), 2);
        activateKeyItem();
        return;
    }
    playSceneEffect("SCENE_END");
    if (cur == stepQuestId && cur != -1 && !replay)
        QuestManager::instance()->complete(cur);
    setOutTransition(new FadeOutTransition(FadeMs));
    closeScene(FinishedCode);
}

void QDScene::finishScene()
{
    if (stepQuestId == 13) {
        advanceMechanics(false);
        return;
    }
    setOutTransition(new FadeOutTransition(FadeMs));
    closeScene(FinishedCode);
}

void QDScene::onMessage(int32_t code)
{
    storeScore();
    // Popping deletes this screen: everything needed afterwards is copied.
    const bool replaying = replay;
    const int id = sceneId;
    const bool saving = !replay && currentProfile();
    if (AppContext* app = appContext())
        app->closeScreen(this);
    if (replaying) {
        SceneExitRoute::removeSceneItems(id);
        return;
    }
    ScreenBase* next = SceneExitRoute::follow(code, id);
    // Saved after the way out is taken, so that a restart finds the quests
    // and the flow position the player left the scene with.
    if (saving)
        saveTheGame(id);
    ScreenRoutes::show(next);
}
