#pragma once
// The game's hidden-object scene screen, on the scene machinery (HOScene):
//  - the heads-up display (SceneHud: clue caption, menu or map button, runes
//    button), the goal panel the step's identifier names
//    ("STACKED_ITEM_LIST", "FIND_X_ITEMS", "SHILHOUETTE_ITEM_LIST",
//    "COUNT_STACK_RENDERER") and, in play mode 1, the score at the top;
//  - scoring by typeId ("Points.ItemFound" 0, "Points.KeyItemFound"
//    100-199, "Points.RuneFound" 200 and 213, "Points.MagicBonusItem" 667,
//    "Points.WrongClick" for a missed click), never below 0, shown as rising
//    texts; four missed clicks within 1000 ms bring the fog (SceneFog);
//  - each CollectGroup step completes the quest of the one before, gates on
//    its own quest (a quest that is not open closes the scene with 1001)
//    and saves; leaving goes through SceneExitRoute;
//  - a scene whose widest background (group 6, collectable renderer) is
//    wider than 1024 scrolls by itself as a looping panorama, 0.5 px per
//    update; clicks are hit-tested at the scrolled position;
//  - a background that is a SceneLightSource lights the items (GL light 0).
// Escape and the menu button close with 1000, the map button with 8; the
// runes button shows the rune sheet over the scene.
//  - the staff, the spell buttons and the spells with the vision hint
//    (SceneSpells): runes found charge them, the goal panel picks a spell's
//    target.
//
// Without a current profile the scene plays in mode 0 from step 0, gates on
// no quest and saves nothing. A replay scene (setReplay, set by the scenes menu) saves nothing,
// gates on no quest and, when it closes, removes its items and returns to
// the screen below.
//
// Widgets (HUD, panel, score, notifications) belong to the screen; the fog,
// the rune message and the actions are owned.
#include "engine/anim/ActionListener.h"
#include "engine/core/Types.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/SimpleButtonListener.h"
#include "scenes/HOScene.h"
#include "scenes/SceneFog.h"
#include "scenes/SceneHud.h"
#include "scenes/SceneScore.h"
#include "scenes/SceneSpells.h"
#include "scenes/SceneView.h"

#include <memory>
#include <string>
#include <vector>

class Action;
class CollectableItemRenderer;
class ScoreNotificationWidget;
class ScoreWidget;
class SceneKeyItem;

class QDScene : public HOScene, public SimpleButtonListener, public ActionListener, public QuarnButtonListener,
                public SpellButtonListener {
public:
    // Close codes (see SceneExitRoute).
    static constexpr int MainMenuCode = 1000;
    static constexpr int MapCode = 8;
    static constexpr int SceneDoneCode = 11;
    static constexpr int FinishedCode = 1001;
    static constexpr int DefaultFadeMs = 500;
    static constexpr int RuneTypeId = 200;
    static constexpr int RuneTypeId2 = 213;
    static constexpr int MagicItemTypeId = 667;
    static constexpr int BackgroundGroup = 6;

    QDScene(int sceneId, const std::string& configPath, const std::string& itemRendererConf,
            const std::string& mechanicsConf, const std::string& itemGroupConf);
    ~QDScene() override;

    // SimpleButtonListener: a release (1) of id 7 closes with 1000, of id 11
    // with 11.
    void onButton(int id, int event) override;
    // QuarnButtonListener: a click (1) on the map (8), runes (9) or menu (12)
    // button.
    void onButtonEvent(int id, int event) override;
    // ActionListener: id 2, the panorama scroll before a cast, casts the
    // armed spell.
    void onActionFinished(int32_t id) override;
    // SpellButtonListener: arming and disarming (SceneSpells).
    void onSpellButtonPressed(int id, int event) override;

    // A rune's collect animation has ended (CollectableItemRenderer): it goes
    // to the found group and the render list is rebuilt. Its spell was
    // charged at the click (onItemFound).
    void onItemCollected(CollectableItemRenderer* renderer, ItemState* item);
    // The key item was clicked: the next step (quest 13), else the scene
    // closes with 1001.
    void finishScene();
    // Whether the right end of a panorama is on screen (its start is drawn
    // again to its right).
    bool isWrapVisible() const;
    void showHud();
    void raiseHud();
    void hideHud();
    void buildNavigationButtons(int questId);

    // While a spell is armed the goal panel picks its target.
    bool isChoosingTarget() const { return spells.isChoosingTarget(); }
    void chooseTarget(ItemState* item) { spells.chooseTarget(item); }
    ItemState* getTarget() const { return spells.getTarget(); }
    void castArmedSpell() { spells.castArmedSpell(); }
    void scrollToTarget() { spells.scrollToTarget(); }
    // The staff's glow has run.
    void releaseSpell() { spells.releaseSpell(); }
    const SceneSpells& getSpells() const { return spells; }
    SceneSpells& getSpells() { return spells; }
    // Runes once quest 2 is done and the typeIds of "SpecialItems" become
    // clickable.
    void enableSpecialItems(bool withSpecialList);
    void showChooseCaption(bool on) { hud.showChooseCaption(on); }
    // The pointer's last position.
    Point pointer() const { return Point{pointerX, pointerY}; }
    // Holds and starts one of the scene's actions.
    void runAction(std::unique_ptr<Action> action, int id);
    bool isAutoScroll() const { return view.isAutoScroll(); }
    float* scrollPosition() { return view.scrollRef(); }
    bool* autoScrollFlag() { return view.autoScrollRef(); }

    // No saving, no quest gating; items removed on leaving.
    void setReplay(bool on) { replay = on; }
    bool isReplay() const { return replay; }
    void setAutoScroll(bool on) { view.setAutoScroll(on); }

    // The creator attributes.
    const std::string& getConfigPath() const { return configPath; }
    const std::string& getItemRendererConf() const { return itemRendererConf; }
    const std::string& getMechanicsConf() const { return mechanicsConf; }
    const std::string& getItemGroupConf() const { return itemGroupConf; }
    int getStepQuestId() const { return stepQuestId; }
    // The score panel, present in play mode 1 only.
    ScoreWidget* getScoreWidget() const { return score.getWidget(); }
    // The score shown (0 without a score panel).
    int getScore() const { return score.value(); }
    const SceneFog& getFog() const { return fog; }
    const SceneHud& getHud() const { return hud; }
    int getRuneMessageAlpha() const { return runeMessageAlpha; }
    bool isPanorama() const { return view.isPanorama(); }
    float getScrollX() const { return view.getScrollX(); }
    int getSceneWidth() const { return view.getSceneWidth(); }
    bool areLightsOn() const { return view.areLightsOn(); }
    ItemState* getKeyItem() const { return keyItem; }
    const std::vector<ScoreNotificationWidget*>& getNotifications() const { return score.getNotifications(); }

protected:
    void registerResources() override;
    void onSceneStarted() override;
    void onKeyEvent(KeyEvent* event) override;
    void onMouseEventHook(MouseEvent* event) override;
    void onMouseDown(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void beforeItemsRendered(Graphics& g) override;
    void afterItemsRendered(Graphics& g) override;
    void onUpdated(int dt) override;
    void onRenderersBuilt() override;
    // The screen's height and the scene's width (a panorama's, wider).
    WidgetGeometry sceneArea() const override;
    void onItemRemoved(ItemState* item) override;
    void onItemFound(ItemState* item) override;
    void onMissedClick() override;
    void onStepStarted(MechanicsStep* step) override;
    void onAllStepsDone() override;
    void onMessage(int32_t code) override;
    // Back from a screen over the scene: the score shown takes what the
    // profile gained meanwhile (a solved minigame adds its points there).
    void onResumed(GameApp* app) override;
    void onPendingAdvance() override;
    void onGoalRendererSet() override;
    // A saved step past the script (a damaged save) restarts the scene at
    // the stage of its open quest, or at its first step, with one warning.
    int32_t stepForSavedStepPastScript(int32_t savedStep, int32_t stepCount) override;

private:
    void startFog();
    void showRuneMessage(CollectableItemRenderer* renderer);
    // The scene's key item drawn and clickable, the HUD hidden, the item on top.
    void activateKeyItem();
    // A key item exists and it is the one wanted item.
    bool onlyKeyItemWanted() const;
    void findKeyItem();
    // The width of the widest collectable picture of the background group.
    int widestBackground() const;
    // Saves the game unless replaying or without a profile.
    void saveGame() const;
    // The profile's score takes the scene's, less the points of finds whose
    // items have not left the wanted items yet (so that a save, at any
    // moment, holds the points of the items it holds as found); false, and
    // nothing, without a score panel or a fearless profile. Points the
    // profile gained from elsewhere since the scene last wrote it are taken
    // into the score shown first.
    bool settleScore();
    // settleScore, then the profile enters the high scores.
    void storeScore();
    int currentQuestId() const;

    std::string configPath;
    std::string itemRendererConf;
    std::string mechanicsConf;
    std::string itemGroupConf;
    int pointerX = 0;
    int pointerY = 0;
    int stepQuestId = -1;
    bool replay = false;
    bool firstStart = true;
    SceneScore score;
    SceneHud hud;
    SceneFog fog;
    std::vector<std::unique_ptr<Action>> actions;
    SceneView view;
    SceneSpells spells;
    ItemState* keyItem = nullptr;  // not owned
    std::unique_ptr<Action> runeMessage;
    int runeMessageAlpha = 0;
};
