#include "scenes/HOScene.h"

#include "engine/anim/EmptyTransition.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/app/GameApp.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/WidgetManager.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/ItemRendererRule.h"
#include "game/ItemState.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"
#include "scenes/ItemGoalRenderer.h"
#include "scenes/ItemRendererFactory.h"
#include "scenes/TexItemRenderer.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

int32_t layerOf(const ItemState* state)
{
    return state->item ? state->item->layer : 0;
}

std::string shortNumber(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// What the item renderer rules match an item with a record against: its
// group now, its typeId and type.
ItemRendererFactoryInput patternOf(const ItemState& state)
{
    return ItemRendererFactoryInput(ItemRegistry::instance()->groupOf(state.key()), state.item->typeId,
                                    state.item->type);
}

// The same pattern once the item is wanted (group 2): rules may give wanted
// items a renderer of their own.
ItemRendererFactoryInput wantedPatternOf(const ItemState& state)
{
    return ItemRendererFactoryInput(2, state.item->typeId, state.item->type);
}

bool rendererEnabled(const ItemState* state)
{
    return state && state->renderer && state->renderer->isDecoratorEnabled();
}

} // namespace

HOScene::HOScene(int32_t id, const std::string& configPath, const std::string& itemRendererConf,
                 const std::string& mechanicsConf, const std::string& itemGroupConf, int32_t savedStep)
    : ScreenBase(std::string())
    , drawnGroups{6, 1, 2, 4, 5}
    , itemRendererRulesPath(configPath + itemRendererConf)
    , mechanicsPath(configPath + mechanicsConf)
    , itemGroupRulesPath(configPath + itemGroupConf)
    , sceneId(id)
    // A negative saved step (a damaged save) starts from the beginning.
    , stepIndex(std::max(savedStep, 0) - 1)
    , animationPlayer(std::make_unique<AnimationPlayer>())
{
}

HOScene::~HOScene()
{
    dropUnshownChild();
    // The items stay registered; only the renderers this scene made go (with
    // their textures' resource manager).
    if (ItemRegistry* registry = ItemRegistry::existingInstance()) {
        for (int32_t group : registry->groupIds())
            for (ItemState* state : registry->itemsOfGroup(group, sceneId))
                if (state->renderer && state->renderer->getOwner() == this)
                    state->renderer.reset();
    }
    renderList.clear();
    lastHitItem = nullptr;
}

const MechanicsStep* HOScene::stepAt(int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(steps.size()))
        return nullptr;
    return steps[static_cast<size_t>(index)].get();
}

bool HOScene::isScreenStep(int32_t index) const
{
    const MechanicsStep* step = stepAt(index);
    return step && step->kind == MechanicsStep::Screen;
}

// ---------------------------------------------------------------------------
// ScreenBase

void HOScene::onKey(KeyEvent* event)
{
    ScreenBase::onKey(event);
    onKeyEvent(event);
}

void HOScene::deactivate(GameApp* app)
{
    ScreenBase::deactivate(app);
    onDeactivated(app);
}

void HOScene::activate(GameApp* app)
{
    ScreenBase::activate(app);
    if (childScreen && !childShown) {
        // Something else covered the scene while it faded out for its child
        // (the pause screen): the child has not been shown, let alone
        // returned. The fade goes on with input off.
        onResumed(app);
        return;
    }
    if (childScreen) {
        const MechanicsStep* next = stepAt(stepIndex + 1);
        if (next && next->kind != MechanicsStep::Screen) {
            state = Entering;
            blackOverlay = 0;
            inTransition->start(this, InTransitionId);
        }
        if (next && next->kind == MechanicsStep::Screen && next->attribute("transition") == "fade")
            blackOverlay = 0;
        childScreen = nullptr;
        childShown = 0;
        widgetManager->setInputEnabled(true);
        advanceMechanics(false);
        // Not while a fade-out the advance started is running: replacing it
        // would cut it short.
        if (state != Leaving)
            setOutTransition(new FadeOutTransition(FadeMs));
    }
    widgetManager->setInputEnabled(state != Leaving);
    onResumed(app);
}

void HOScene::loadResources()
{
    registerResources();
}

void HOScene::build()
{
    building = 1;
    steps = loadSceneMechanics(mechanicsPath);
    // The saved step's range is known from here on.
    const int32_t stepCount = static_cast<int32_t>(steps.size());
    if (stepCount > 0 && stepIndex + 1 >= stepCount)
        stepIndex = std::max(stepForSavedStepPastScript(stepIndex + 1, stepCount), 0) - 1;
    buildRenderers();
    onRenderersBuilt();
    // With a Screen step waiting, the step index still names the finished
    // step before it: nothing starts until the scene has entered.
    const int32_t current = std::max(stepIndex, 0);
    const MechanicsStep* step = stepAt(current);
    if (step && step->kind == MechanicsStep::CollectGroup && !advancePending)
        startStepHook(current);
    building = 0;
    onSceneStarted();
}

void HOScene::enter(GameApp* app)
{
    ScreenBase::enter(app);
    if (closePending) {
        closePending = 0;
        close(pendingCloseCode, true);
    }
}

void HOScene::closeScene(int32_t code)
{
    if (building) {
        closePending = 1;
        pendingCloseCode = code;
        return;
    }
    close(code, true);
}

void HOScene::buildRenderers()
{
    ItemRegistry* registry = ItemRegistry::instance();
    if (registry->itemsOfGroup(1, sceneId).empty()) {
        registry->registerScene(sceneId, itemGroupRulesPath);
        onFirstVisit();
    }
    onBuildingRenderers();
    ItemRendererFactory::instance()->loadRules(itemRendererRulesPath);
    // Filled first in every case: past the end of the script nothing else
    // would fill it, and the finished scene is still drawn.
    fillRenderList();
    // The renderers come before the first pick, which asks them whether an
    // item can be found at all. A renderer's load must not change the list
    // under this walk.
    const std::vector<ItemState*> items = renderList;
    std::vector<int> rules;
    std::vector<const ItemRenderer*> made;
    for (ItemState* state : items) {
        rules.push_back(buildRenderer(state));
        made.push_back(state->renderer.get());
    }
    if (isScreenStep(stepIndex + 1))
        advancePending = 1;
    else
        advanceMechanics(true);
    // An item moved to another group since (a resumed wanted item that went
    // back to waiting) is drawn as the rules say for that group; a picked
    // item has its renderer from the pick already.
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i]->item && items[i]->renderer.get() == made[i] && ruleFor(items[i]) != rules[i])
            buildRenderer(items[i]);
}

int HOScene::ruleFor(const ItemState* state) const
{
    const ItemRendererFactoryInput pattern = patternOf(*state);
    return ItemRendererFactory::instance()->ruleIndexFor(&pattern);
}

int HOScene::buildRenderer(ItemState* state)
{
    // A state whose record could not be restored has nothing to draw.
    if (!state->item) {
        state->renderer.reset();
        return -1;
    }
    const ItemRendererFactoryInput pattern = patternOf(*state);
    state->renderer = makeRenderer(state, pattern);
    return ItemRendererFactory::instance()->ruleIndexFor(&pattern);
}

std::unique_ptr<ItemRenderer> HOScene::makeRenderer(ItemState* state, const ItemRendererFactoryInput& pattern)
{
    ItemRendererCreatorArg arg{this, state};
    std::unique_ptr<ItemRenderer> renderer(ItemRendererFactory::instance()->create(&pattern, &arg));
    if (renderer) {
        renderer->load(getResources());
        renderer->setDecoratorEnabled(false);
    }
    return renderer;
}

const ItemRenderer* HOScene::rendererWhenWanted(ItemState* state)
{
    const ItemRendererFactoryInput wanted = wantedPatternOf(*state);
    if (ItemRendererFactory::instance()->ruleIndexFor(&wanted) == ruleFor(state))
        return state->renderer.get();
    std::unique_ptr<ItemRenderer>& renderer = wantedRenderers[state];
    if (!renderer)
        renderer = makeRenderer(state, wanted);
    return renderer.get();
}

WidgetGeometry HOScene::sceneArea() const
{
    return WidgetGeometry(0, 0, 0, ScreenWidth, ScreenHeight);
}

std::string HOScene::whyNotFindable(const ItemState* state) const
{
    return whyNotFindable(state, state->renderer.get());
}

std::string HOScene::whyNotFindable(const ItemState* state, const ItemRenderer* renderer) const
{
    if (!renderer)
        return "it has no renderer";
    const auto* textured = dynamic_cast<const TexItemRenderer*>(renderer);
    if (!textured)
        return "its renderer takes no clicks";
    if (textured->showsWithin(sceneArea()))
        return std::string();
    const std::string picture = state->item->folder + state->item->image;
    if (textured->showsWithin(WidgetGeometry(INT32_MIN / 2, INT32_MIN / 2, 0, INT32_MAX, INT32_MAX)))
        return "its picture \"" + picture + "\" lies outside the scene (x " + shortNumber(state->item->x) +
               ", y " + shortNumber(state->item->y) + ")";
    return "its picture \"" + picture + "\" shows nothing (it did not load, or it is transparent)";
}

bool HOScene::canBeFound(ItemState* state, const ItemRenderer* renderer)
{
    const std::string why = state->item ? whyNotFindable(state, renderer) : "it has no record";
    if (why.empty())
        return true;
    if (reportedItems.insert(state->itemIndex).second) {
        const SceneIndexEntry entry = SceneIndex::instance()->entryOf(sceneId);
        const std::string name = state->item ? state->item->name : std::string();
        logError("scene items: \"" + entry.itemFilePath() + "\": item " + std::to_string(state->itemIndex) + " \"" +
                 name + "\" cannot be found: " + why + "; it is not asked for");
    }
    return false;
}

void HOScene::onUpdate(int dt)
{
    // A renderer's update may refresh the list or destroy items: walk a copy
    // (a member, so that its buffer is reused from frame to frame) and skip
    // what has left the list meanwhile.
    updatingList.assign(renderList.begin(), renderList.end());
    for (ItemState* state : updatingList) {
        if (std::find(renderList.begin(), renderList.end(), state) == renderList.end())
            continue;
        if (state->renderer)
            state->renderer->update(dt);
    }
    onUpdated(dt);
}

void HOScene::drawOverlay(Graphics& g)
{
    beforeOverlay(g);
    if (blackOverlay)
        g.fillRect(0, 0, ScreenWidth, ScreenHeight, Color(0, 0, 0, 255));
}

void HOScene::drawBackground(Graphics& g)
{
    beforeItemsRendered(g);
    for (ItemState* state : renderList) {
        if (!state->renderer || !state->renderer->isVisible() || !state->item)
            continue;
        g.pushTransform();
        g.translate(state->item->x, state->item->y);
        state->renderer->render(g);
        g.popTransform();
    }
    afterItemsRendered(g);
}

void HOScene::onEntered()
{
    // An empty in-transition enters inside enter(), before a held close.
    if (closePending)
        return;
    if (advancePending) {
        advancePending = 0;
        advanceMechanics(false);
    }
    if (allDonePending) {
        allDonePending = 0;
        onAllStepsDone();
    }
    onPendingAdvance();
}

void HOScene::onClosed(int resultCode)
{
    if (resultCode != ChildCode) {
        onMessage(resultCode);
        return;
    }
    if (childScreen && !childShown)
        showChild();
    else if (!childScreen)
        advanceMechanics(false);
}

void HOScene::showChild()
{
    if (!appContext()) {
        logError("scene " + std::to_string(sceneId) + ": no application to show the child screen of step " +
                 std::to_string(stepIndex));
        dropUnshownChild();
        return;
    }
    // show() loads the child and pushes it over the scene.
    childShown = 1;
    childScreen->show(GameApp::instance());
}

void HOScene::dropUnshownChild()
{
    if (childScreen && !childShown)
        delete childScreen;
    if (!childShown)
        childScreen = nullptr;
}

// ---------------------------------------------------------------------------
// Mouse

void HOScene::onMousePressed(MouseEvent* event)
{
    onMouseDown(event);
}

void HOScene::onMouseMoved(MouseEvent* event)
{
    onMouseMove(event);
}

void HOScene::onMouseReleased(MouseEvent* event)
{
    // Without hover tracking only a move forgets the item, and an item may
    // go (a found rune used up) before the next one: a press must hit-test.
    if (!trackHover)
        lastHitItem = nullptr;
    onMouseEventHook(event);
}

void HOScene::onMouseDown(MouseEvent* event)
{
    if (!lastHitItem)
        lastHitItem = hitTest(event->x, event->y);
    if (rendererEnabled(lastHitItem))
        lastHitItem->renderer->onMouseState(0);
    else
        onMissedClick();
    onMouseEventHook(event);
}

void HOScene::onMouseMove(MouseEvent* event)
{
    if (!trackHover) {
        lastHitItem = nullptr;
    } else {
        ItemState* hit = hitTest(event->x, event->y);
        if (hit != lastHitItem) {
            if (rendererEnabled(lastHitItem))
                lastHitItem->renderer->onMouseState(2);
            lastHitItem = hit;
            if (rendererEnabled(lastHitItem))
                lastHitItem->renderer->onMouseState(1);
        }
    }
    onMouseEventHook(event);
}

ItemState* HOScene::hitTest(int x, int y) const
{
    for (auto it = renderList.rbegin(); it != renderList.rend(); ++it)
        if ((*it)->renderer && (*it)->renderer->hitTest(x, y))
            return *it;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Render list and the renderers' owner

void HOScene::fillRenderList()
{
    ItemRegistry* registry = ItemRegistry::instance();
    renderList.clear();
    for (int32_t group : drawnGroups) {
        const std::vector<ItemState*> items = registry->itemsOfGroup(group, sceneId);
        renderList.insert(renderList.end(), items.begin(), items.end());
    }
    sortRenderList();
}

void HOScene::sortRenderList()
{
    std::stable_sort(renderList.begin(), renderList.end(), [](const ItemState* a, const ItemState* b) {
        const int32_t la = layerOf(a);
        const int32_t lb = layerOf(b);
        return la != lb ? la < lb : a->itemIndex < b->itemIndex;
    });
}

void HOScene::refreshRenderList(ItemState* item)
{
    fillRenderList();
    if (goalPanel) {
        rebuildGoalEntries();
        goalPanel->refresh(item);
    }
    onItemRemoved(item);
    const MechanicsStep* step = stepAt(stepIndex);
    if (step && step->kind == MechanicsStep::CollectGroup &&
        ItemRegistry::instance()->itemsOfGroup(2, sceneId).empty()) {
        // A step started silently by build and passed over before build
        // could announce it is announced now, before the next one: every
        // step that starts is announced once, in order (its hook takes the
        // step's quest).
        if (silentStep == stepIndex)
            startStepHook(stepIndex);
        advanceMechanics(false);
    }
}

void HOScene::itemFound(ItemState* item)
{
    onItemFound(item);
}

void HOScene::raiseItem(ItemState* item)
{
    if (!item)
        return;
    int32_t top = 0;
    if (!renderList.empty()) {
        top = layerOf(renderList.front());
        for (const ItemState* state : renderList)
            top = std::max(top, layerOf(state));
        ++top;
    }
    ItemRegistry* registry = ItemRegistry::instance();
    const int32_t group = registry->groupOf(item->key());
    if (group == -1)
        return;
    ItemState* held = registry->find(group, item->key());
    if (!held || !held->item)
        return;
    held->item->layer = top;
    sortRenderList();
}

void HOScene::itemDestroyed(ItemState* item)
{
    if (lastHitItem == item)
        lastHitItem = nullptr;
    renderList.erase(std::remove(renderList.begin(), renderList.end(), item), renderList.end());
    if (goalPanel) {
        std::vector<GoalEntry>& wanted = goalPanel->wantedList();
        wanted.erase(std::remove_if(wanted.begin(), wanted.end(),
                                    [item](const GoalEntry& e) { return e.item == item; }),
                     wanted.end());
    }
}

// ---------------------------------------------------------------------------
// Goal panel

void HOScene::setGoalRenderer(ItemGoalRenderer* panel)
{
    if (panel && panel == goalPanel) {
        rebuildGoalEntries();
        panel->refresh(nullptr);
        return;
    }
    if (goalPanel) {
        // May run inside the widget dispatch (a click that advanced the
        // script): the old panel goes at the next update.
        safeRemoveWidget(goalPanel);
        goalPanel = nullptr;
    }
    if (!panel)
        return;
    goalPanel = panel;
    panel->setScene(this);
    panel->attachToScene();
    rebuildGoalEntries();
    panel->refresh(nullptr);
    addWidget(panel);
    onGoalRendererSet();
}

void HOScene::rebuildGoalEntries()
{
    if (!goalPanel || !goalPanel->getScene())
        return;
    ItemRegistry* registry = ItemRegistry::instance();
    std::vector<GoalEntry>& wanted = goalPanel->wantedList();
    wanted.clear();
    for (int group : goalPanel->shownGroups())
        for (ItemState* state : registry->itemsOfGroup(group, sceneId))
            wanted.push_back(GoalEntry{state, group, state->itemIndex});
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const GoalEntry& a, const GoalEntry& b) { return a.itemIndex < b.itemIndex; });
}

// ---------------------------------------------------------------------------
// Mechanics

void HOScene::startStepHook(int32_t index)
{
    // Build announces the step it starts on unless the advance already did.
    if (announcedStep == index)
        return;
    announcedStep = index;
    onStepStarted(steps[static_cast<size_t>(index)].get());
}

void HOScene::advanceMechanics(bool silent)
{
    const int32_t count = static_cast<int32_t>(steps.size());
    if (building && isScreenStep(stepIndex + 1)) {
        // A screen cannot be opened while this one is still being pushed:
        // the step starts once the scene has entered.
        advancePending = 1;
        return;
    }
    // Past the end (also a saved step beyond a script that has changed, or
    // an empty script) the index stays at the step count: every step done.
    stepIndex = std::min(stepIndex + 1, count);
    if (stepIndex >= count) {
        if (building)
            allDonePending = 1;
        else
            onAllStepsDone();
        return;
    }
    MechanicsStep* step = steps[static_cast<size_t>(stepIndex)].get();
    if (step->kind == MechanicsStep::CollectGroup) {
        // A resumed scene may still have wanted items: they stay the goal,
        // but for those that can no longer be found (damaged content), which
        // go back to waiting.
        ItemRegistry* registry = ItemRegistry::instance();
        for (ItemState* state : registry->itemsOfGroup(2, sceneId))
            if (!canBeFound(state, state->renderer.get()))
                registry->moveItem(2, state->key(), 1);
        if (registry->itemsOfGroup(2, sceneId).empty())
            pickWantedItems(*step);
    } else {
        runScreenStep(*step);
    }
    if (silent)
        silentStep = stepIndex;
    else
        startStepHook(stepIndex);
    refreshRenderList(nullptr);
}

void HOScene::pickWantedItems(const MechanicsStep& step)
{
    ItemRegistry* registry = ItemRegistry::instance();
    const std::vector<ItemState*> waiting = registry->itemsOfGroup(1, sceneId);
    std::vector<ItemState*> picks;
    for (const CollectRule& rule : step.rules) {
        std::vector<ItemState*> candidates;
        // An item that cannot be drawn or clicked once wanted is never asked
        // for: the step would wait for a click that cannot land.
        for (ItemState* state : waiting)
            if (state->item &&
                std::find(rule.typeIds.begin(), rule.typeIds.end(), state->item->typeId) != rule.typeIds.end() &&
                canBeFound(state, rendererWhenWanted(state)))
                candidates.push_back(state);
        if (rule.pick == CollectRule::Random) {
            for (size_t k = 1; k < candidates.size(); ++k)
                std::swap(candidates[k], candidates[static_cast<size_t>(randomBelow(static_cast<int>(k + 1)))]);
        }
        // A count of -1 reads as "no limit" when compared unsigned.
        if (rule.pick != CollectRule::All && static_cast<uint32_t>(rule.count) < candidates.size())
            candidates.resize(static_cast<uint32_t>(rule.count));
        picks.insert(picks.end(), candidates.begin(), candidates.end());
    }
    // An item two rules picked is moved once: the second move finds it gone
    // from group 1.
    for (ItemState* state : picks)
        registry->moveItem(1, state->key(), 2);
    // A picked item is drawn by the renderer it was judged with; the others
    // made for the judgement go.
    for (auto& [state, renderer] : wantedRenderers)
        if (renderer && registry->groupOf(state->key()) == 2)
            state->renderer = std::move(renderer);
    wantedRenderers.clear();
}

void HOScene::runScreenStep(const MechanicsStep& step)
{
    if (suppressScreenSteps)
        return;
    dropUnshownChild();
    ScreenBase* child = GameFlow::instance()->createScreen(step.name, step.attributes);
    if (!child)
        return;
    childScreen = child;
    childShown = 0;
    const std::string transition = step.attribute("transition");
    if (transition == "none") {
        setInTransition(new EmptyTransition());
        setOutTransition(new EmptyTransition());
        child->setInTransition(new EmptyTransition());
        child->setOutTransition(new EmptyTransition());
    } else if (transition == "fade") {
        // Already hidden behind the previous screen (or never shown): stay
        // black instead of fading.
        if (stepIndex <= 0 || isScreenStep(stepIndex - 1)) {
            setOutTransition(new EmptyTransition());
            blackOverlay = 1;
        } else {
            setOutTransition(new FadeOutTransition(FadeMs));
            blackOverlay = 0;
        }
        setInTransition(new FadeInTransition(FadeMs));
        child->setOutTransition(new FadeOutTransition(FadeMs));
        child->setInTransition(new FadeInTransition(FadeMs));
    }
    close(ChildCode, true);
}

// ---------------------------------------------------------------------------
// Hooks: nothing here

void HOScene::registerResources() {}
void HOScene::onSceneStarted() {}
void HOScene::onKeyEvent(KeyEvent*) {}
void HOScene::onMouseEventHook(MouseEvent*) {}
void HOScene::beforeItemsRendered(Graphics&) {}
void HOScene::afterItemsRendered(Graphics&) {}
void HOScene::beforeOverlay(Graphics&) {}
void HOScene::onUpdated(int) {}
void HOScene::onDeactivated(GameApp*) {}
void HOScene::onResumed(GameApp*) {}
int32_t HOScene::stepForSavedStepPastScript(int32_t savedStep, int32_t)
{
    return savedStep;
}
void HOScene::onBuildingRenderers() {}
void HOScene::onFirstVisit() {}
void HOScene::onRenderersBuilt() {}
void HOScene::onItemRemoved(ItemState*) {}
void HOScene::onItemFound(ItemState*) {}
void HOScene::onMissedClick() {}
void HOScene::onStepStarted(MechanicsStep*) {}
void HOScene::onAllStepsDone() {}
void HOScene::onMessage(int32_t) {}
void HOScene::onPendingAdvance() {}
void HOScene::onGoalRendererSet() {}
