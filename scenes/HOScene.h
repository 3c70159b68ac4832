#pragma once
// The game-independent hidden-object scene screen. It registers the scene's
// items in the item registry on the first visit, makes one renderer per drawn
// item through the ItemRendererFactory, draws, updates and hit-tests the
// items in layer order, runs the scene's mechanics script step by step, opens
// the screens that Screen steps ask for and goes on when they return, and
// keeps the goal panel's wanted list in step with the registry. Everything
// game-specific is done by a subclass through the hook operations, all empty
// here.
//
// Drawn groups: 6, 1, 2, 4, 5. The render list holds this scene's items of
// those groups sorted by layer, then item index (later drawn = on top; hit
// tests go from the top down, and transparent pixels fall through).
//
// Steps: a CollectGroup step makes items of group 1 wanted (group 2) and
// lasts until none is wanted; a Screen step creates a screen through
// GameFlow::createScreen, lets the scene fade out (close(ChildCode)) and shows
// it; the step ends when that screen pops and the scene is active again.
// Past the last step onAllStepsDone runs.
//
// Robustness beyond the plain script run:
//  - A script that is empty or missing, and a saved step past its end, mean
//    "every step done": the saved step is clamped, onAllStepsDone runs once
//    the scene has entered (a close asked for while the screen is still being
//    built would be lost). A subclass may name another step to start at for
//    a saved step past the end (stepForSavedStepPastScript).
//  - A Screen step reached while the scene is being built (an earlier step
//    had nothing to pick) waits for the end of the in-transition, as a
//    resumed Screen step does.
//  - The child is shown only from onClosed(ChildCode); an activation before
//    that (a pause screen popped during the fade-out) is not its return. A
//    child created but never shown is deleted with the scene.
//  - Items without a record get no renderer; the remembered hit item is
//    dropped on release and when its state is destroyed.
//  - An item that a click cannot find (no renderer, a renderer that takes no
//    clicks, a picture that did not load or lies outside sceneArea) is never
//    asked for, and one a resumed step still wants goes back to waiting; one
//    line names the item file and the item. A step left with nothing to find
//    is passed over, so a damaged scene can still be finished. A waiting item
//    is judged by the renderer it will have when wanted: where the renderer
//    rules give group 2 a renderer of its own, the pick makes that one, and
//    a picked item is drawn by it from then on.
//  - The goal panel is replaced with safeRemoveWidget, as a click can replace
//    it from inside the widget dispatch.
//  - A subclass closes through closeScene: a close asked for while the
//    screen is being built is held until the push is over.
//  - onStepStarted runs once per step start: build does not repeat it for a
//    step the advance already announced, nor announce the finished step
//    before a Screen step it resumes at. A CollectGroup step that build
//    started silently and that is passed over (nothing to find) is announced
//    before the next step starts, so no started step goes unannounced.
//
// Ownership: the step list, the animation player and a never-shown child are
// owned; the goal panel belongs to the widget list; renderers belong to their
// ItemStates and are deleted by the destructor (the items stay registered).
#include "engine/core/Types.h"
#include "engine/ui/ScreenBase.h"
#include "game/ItemRendererOwner.h"
#include "scenes/SceneMechanics.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class AnimationPlayer;
class GameApp;
class ItemGoalRenderer;
class ItemRenderer;
class ItemRendererFactoryInput;
class ItemState;
struct KeyEvent;
struct MouseEvent;

class HOScene : public ScreenBase, public ItemRendererOwner {
public:
    // The close code that means: show the pending child screen, or advance.
    static constexpr int ChildCode = 10000;
    // Every fade this class makes, ms.
    static constexpr int FadeMs = 500;
    static constexpr int ScreenWidth = 1024;
    static constexpr int ScreenHeight = 768;

    // The three files are configPath + the given name. `savedStep` is the
    // step to resume at (0: from the start); the step index starts one below.
    HOScene(int32_t sceneId, const std::string& configPath, const std::string& itemRendererConf,
            const std::string& mechanicsConf, const std::string& itemGroupConf, int32_t savedStep);
    ~HOScene() override;

    // ScreenBase.
    void onKey(KeyEvent* event) override;
    void deactivate(GameApp* app) override;
    // The return from a child screen (see above), then input on and onResumed.
    void activate(GameApp* app) override;
    void loadResources() override;
    void build() override;
    // The ScreenBase behaviour; then a close asked for during build happens.
    void enter(GameApp* app) override;
    void onUpdate(int dt) override;
    void drawOverlay(Graphics& g) override;
    void drawBackground(Graphics& g) override;
    void onEntered() override;
    void onClosed(int resultCode) override;

    // The screen's mouse catcher: press, move and release.
    void onMousePressed(MouseEvent* event) override;
    void onMouseMoved(MouseEvent* event) override;
    void onMouseReleased(MouseEvent* event) override;

    // ItemRendererOwner.
    void refreshRenderList(ItemState* item) override;
    void itemFound(ItemState* item) override;
    void raiseItem(ItemState* item) override;
    void itemDestroyed(ItemState* item) override;

    // Starts the next step; with `silent` onStepStarted is not called.
    void advanceMechanics(bool silent);
    // Replaces the goal panel (null: none); takes ownership of the new one.
    void setGoalRenderer(ItemGoalRenderer* panel);
    // Fills the panel's wanted list from the registry groups it shows.
    void rebuildGoalEntries();
    // The topmost render-list item whose renderer is hit at (x, y), or null.
    ItemState* hitTest(int x, int y) const;

    int32_t getSceneId() const { return sceneId; }
    int32_t getStepIndex() const { return stepIndex; }
    const MechanicsSteps& getSteps() const { return steps; }
    // The step at the index, or null.
    const MechanicsStep* stepAt(int32_t index) const;
    const std::vector<ItemState*>& getRenderList() const { return renderList; }
    ItemGoalRenderer* getGoalRenderer() const { return goalPanel; }
    // The child a Screen step made, until the scene is active again; not
    // owned once shown.
    ScreenBase* getChildScreen() const { return childScreen; }
    ItemState* getLastHitItem() const { return lastHitItem; }
    bool isBlackOverlay() const { return blackOverlay != 0; }
    AnimationPlayer* getAnimationPlayer() const { return animationPlayer.get(); }
    const std::string& getItemRendererRulesPath() const { return itemRendererRulesPath; }
    const std::string& getMechanicsPath() const { return mechanicsPath; }
    const std::string& getItemGroupRulesPath() const { return itemGroupRulesPath; }
    // With hover tracking, moves tell renderers when the pointer enters and
    // leaves their item. Off at construction.
    void setTrackHover(bool on) { trackHover = on ? 1 : 0; }
    // While set, Screen steps open nothing and the scene stays on them.
    void setSuppressScreenSteps(bool on) { suppressScreenSteps = on ? 1 : 0; }
    // Inside build (the screen is being pushed).
    bool isBuilding() const { return building != 0; }

protected:
    // Press and move handling of the mouse catcher (see the class comment);
    // a subclass may hit-test differently (scrolled scenes).
    virtual void onMouseDown(MouseEvent* event);
    virtual void onMouseMove(MouseEvent* event);
    // Closes the scene with the code, input off. Asked for while the scene
    // is being built, the close waits until the push is over (ScreenBase
    // sets the entering state after build, which would undo it).
    void closeScene(int32_t code);
    // Called once by build: registration on the first visit, the renderer
    // rules, the first step, one renderer per render-list item.
    void buildRenderers();
    // The render list from the registry, sorted.
    void fillRenderList();
    void sortRenderList();
    // The rectangle (scene coordinates) in which a click can hit an item:
    // the screen here.
    virtual WidgetGeometry sceneArea() const;
    // "" when a click can find the item (it has a textured renderer whose
    // picture shows inside sceneArea), else why not.
    std::string whyNotFindable(const ItemState* state) const;
    // The same, judged with `renderer` (may be null) as the item's.
    std::string whyNotFindable(const ItemState* state, const ItemRenderer* renderer) const;

    // Hooks, all empty here.
    virtual void registerResources();
    virtual void onSceneStarted();
    virtual void onKeyEvent(KeyEvent* event);
    // After every press, move and release of the mouse catcher.
    virtual void onMouseEventHook(MouseEvent* event);
    virtual void beforeItemsRendered(Graphics& g);
    virtual void afterItemsRendered(Graphics& g);
    virtual void beforeOverlay(Graphics& g);
    virtual void onUpdated(int dt);
    virtual void onDeactivated(GameApp* app);
    virtual void onResumed(GameApp* app);
    virtual void onBuildingRenderers();
    virtual void onFirstVisit();
    virtual void onRenderersBuilt();
    virtual void onItemRemoved(ItemState* item);
    virtual void onItemFound(ItemState* item);
    virtual void onMissedClick();
    virtual void onStepStarted(MechanicsStep* step);
    virtual void onAllStepsDone();
    virtual void onMessage(int32_t code);
    virtual void onPendingAdvance();
    virtual void onGoalRendererSet();
    // The step to start at when the saved step is at or past the end of a
    // script that has steps (the script changed, or the save is damaged):
    // the saved step itself here, so every step counts as done. A result
    // outside the script means the same.
    virtual int32_t stepForSavedStepPastScript(int32_t savedStep, int32_t stepCount);

    std::vector<int32_t> drawnGroups;
    // This scene's drawn items; the registry owns them.
    std::vector<ItemState*> renderList;
    ItemGoalRenderer* goalPanel = nullptr;  // owned by the widget list
    ItemState* lastHitItem = nullptr;       // not owned
    uint8_t trackHover = 0;
    uint8_t suppressScreenSteps = 0;
    std::string itemRendererRulesPath;
    std::string mechanicsPath;
    std::string itemGroupRulesPath;
    MechanicsSteps steps;
    int32_t sceneId;
    int32_t stepIndex;
    // Owned until shown (childShown), then the stack's.
    ScreenBase* childScreen = nullptr;
    uint8_t blackOverlay = 0;
    // onEntered advances once (a Screen step waits for the in-transition).
    uint8_t advancePending = 0;
    std::unique_ptr<AnimationPlayer> animationPlayer;

private:
    bool isScreenStep(int32_t index) const;
    void startStepHook(int32_t index);
    void pickWantedItems(const MechanicsStep& step);
    void runScreenStep(const MechanicsStep& step);
    void showChild();
    // Deletes a child that was made but never shown.
    void dropUnshownChild();
    // Makes the item's renderer through the factory (or none) and loads it;
    // the position of the rule that decided it, or -1.
    int buildRenderer(ItemState* state);
    // A renderer of the item (it has a record) by the rule that matches
    // `pattern`, loaded and disabled; null when no rule or creator gives one.
    std::unique_ptr<ItemRenderer> makeRenderer(ItemState* state, const ItemRendererFactoryInput& pattern);
    // The position of the rule that decides the item now (it has a record).
    int ruleFor(const ItemState* state) const;
    // The renderer a waiting item (with a record) will have once picked: its
    // own when the rules give wanted items the same one, else one made by
    // the rule for wanted items (kept in wantedRenderers until the pick is
    // over). May be null.
    const ItemRenderer* rendererWhenWanted(ItemState* state);
    // Whether the item may be asked for, drawn by `renderer`; one line, once
    // per item, when not.
    bool canBeFound(ItemState* state, const ItemRenderer* renderer);

    // The child has been handed to the application (onClosed(ChildCode)).
    uint8_t childShown = 0;
    // Inside build(): closes and Screen steps wait for onEntered.
    uint8_t building = 0;
    // onAllStepsDone waits for onEntered.
    uint8_t allDonePending = 0;
    // A close asked for during build (closeScene), done by enter.
    uint8_t closePending = 0;
    int32_t pendingCloseCode = 0;
    // The step whose onStepStarted last ran (-2: none yet).
    int32_t announcedStep = -2;
    // The step last started silently (-2: none yet).
    int32_t silentStep = -2;
    // onUpdate's copy of the render list, kept for its buffer.
    std::vector<ItemState*> updatingList;
    // Item indices already reported as impossible to find.
    std::set<int32_t> reportedItems;
    // During a pick: the renderers made for candidates that the rules draw
    // differently once wanted; the picked ones take theirs, the rest go.
    std::map<ItemState*, std::unique_ptr<ItemRenderer>> wantedRenderers;
};
