#include "tests/driver/SceneDriverSupport.h"

#include "engine/core/Types.h"
#include "game/ItemRegistry.h"
#include "game/ItemRenderer.h"
#include "game/ItemState.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "quillendar/QuillendarApp.h"
#include "scenes/CollectableItemRenderer.h"
#include "scenes/HOScene.h"
#include "scenes/ItemGoalRenderer.h"
#include "scenes/QDScene.h"
#include "scenes/SceneFog.h"
#include "scenes/ScoreNotificationWidget.h"
#include "scenes/ScoreWidget.h"
#include "scenes/StackedItemGoalRenderer.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>
#include <string>
#include <vector>

namespace {

std::string indices(const std::vector<ItemState*>& items)
{
    std::string out;
    for (const ItemState* s : items)
        out += (out.empty() ? "" : " ") + std::to_string(s->itemIndex);
    return out;
}

const char* stepKind(const HOScene& scene)
{
    const MechanicsStep* step = scene.stepAt(scene.getStepIndex());
    if (!step)
        return "none";
    return step->kind == MechanicsStep::Screen ? "screen" : "collect";
}

// The scene's items of the group, without creating the group: looking must
// not change what the registry saves.
std::vector<ItemState*> itemsOf(int group, int sceneId)
{
    ItemRegistry* registry = ItemRegistry::instance();
    const std::vector<int32_t> groups = registry->groupIds();
    if (std::find(groups.begin(), groups.end(), group) == groups.end())
        return {};
    return registry->itemsOfGroup(group, sceneId);
}

ItemState* findItem(const ItemKey& key)
{
    ItemRegistry* registry = ItemRegistry::instance();
    for (int32_t group : registry->groupIds())
        if (ItemState* item = registry->find(group, key))
            return item;
    return nullptr;
}

// Enabled and not already found (an item plays its collect animation while
// it is still wanted).
bool clickable(const ItemState* item)
{
    if (!item->renderer || !item->renderer->isDecoratorEnabled())
        return false;
    const auto* collectable = dynamic_cast<const CollectableItemRenderer*>(item->renderer.get());
    return !collectable || !collectable->isCollecting();
}

std::string panelKind(const ItemGoalRenderer& panel)
{
    int status = 0;
    char* plain = abi::__cxa_demangle(typeid(panel).name(), nullptr, nullptr, &status);
    std::string name = status == 0 && plain ? plain : typeid(panel).name();
    std::free(plain);
    return name;
}

void gameSceneProbe(const QDScene& scene, GameDriver::DumpLines& out)
{
    out.emplace_back("scene.score", scene.getScoreWidget() ? std::to_string(scene.getScore()) : "none");
    std::string rising;
    for (const ScoreNotificationWidget* note : scene.getNotifications())
        if (!note->isIdle())
            rising += (rising.empty() ? "" : "|") + note->getText();
    out.emplace_back("scene.rising", rising);
    out.emplace_back("scene.questStep", std::to_string(scene.getStepQuestId()));
    const SceneFog& fog = scene.getFog();
    out.emplace_back("scene.fog", fog.isSpyholeOn() ? "spyhole" : fog.isFogOn() && fog.getAlpha() > 0 ? "fog" : "none");
    out.emplace_back("scene.fog.alpha", std::to_string(fog.getAlpha()));
    out.emplace_back("scene.fog.countdown", fog.isCountdownShown() ? std::to_string((fog.getCountdownMs() + 1) / 1000)
                                                                   : "none");
    out.emplace_back("scene.runeMessage", scene.getRuneMessageAlpha() > 0 ? "1" : "0");
}

void probe(GameDriver& driver, GameDriver::DumpLines& out)
{
    HOScene* scene = topScene(driver);
    out.emplace_back("scene.id", scene ? std::to_string(scene->getSceneId()) : "none");
    if (!scene)
        return;
    out.emplace_back("scene.step", std::to_string(scene->getStepIndex()));
    out.emplace_back("scene.steps", std::to_string(scene->getSteps().size()));
    out.emplace_back("scene.stepKind", stepKind(*scene));
    if (auto* qd = dynamic_cast<QDScene*>(scene))
        out.emplace_back("scene.replay", qd->isReplay() ? "1" : "0");
    ScreenBase* child = scene->getChildScreen();
    out.emplace_back("scene.child", GameDriver::className(child));
    out.emplace_back("scene.black", scene->isBlackOverlay() ? "1" : "0");
    for (int group = -1; group <= 6; ++group)
        out.emplace_back("scene.count." + std::to_string(group),
                         std::to_string(itemsOf(group, scene->getSceneId()).size()));
    out.emplace_back("scene.wanted", indices(itemsOf(2, scene->getSceneId())));
    out.emplace_back("scene.drawn", indices(scene->getRenderList()));
    std::string goal = "none";
    if (ItemGoalRenderer* panel = scene->getGoalRenderer()) {
        std::vector<ItemState*> entries;
        for (const GoalEntry& e : panel->wantedEntries())
            entries.push_back(e.item);
        goal = indices(entries);
    }
    out.emplace_back("scene.goal", goal);
    std::string panel = "none";
    if (ItemGoalRenderer* shown = scene->getGoalRenderer())
        panel = shown->isVisible() ? panelKind(*shown) : "hidden";
    out.emplace_back("scene.panel", panel);
    out.emplace_back("scene.panel.wanted",
                     scene->getGoalRenderer() ? std::to_string(scene->getGoalRenderer()->wantedList().size()) : "0");
    std::string slots;
    if (auto* stacked = dynamic_cast<StackedItemGoalRenderer*>(scene->getGoalRenderer()))
        for (const StackedItemGoalRenderer::Slot& slot : stacked->getSlots())
            slots += (slot.index == 0 ? "" : "|") + slot.text;
    out.emplace_back("scene.panel.slots", slots);
    if (auto* game = dynamic_cast<QDScene*>(scene))
        gameSceneProbe(*game, out);
}

std::string clickItem(GameDriver& driver, HOScene* scene, ItemState* item)
{
    Point at;
    if (!visiblePointOf(*scene, item, at))
        return "item " + std::to_string(item->sceneId) + ":" + std::to_string(item->itemIndex) +
               " shows nowhere";
    const int x = at.x + scene->getXOffset();
    driver.driver().log().add("click item " + std::to_string(item->sceneId) + ":" +
                              std::to_string(item->itemIndex) + " at " + std::to_string(x) + "," +
                              std::to_string(at.y));
    driver.driver().click(x, at.y);
    return std::string();
}

} // namespace

HOScene* topScene(GameDriver& driver)
{
    if (!driver.app())
        return nullptr;
    const std::vector<ScreenBase*>& screens = driver.app()->getScreens();
    for (auto it = screens.rbegin(); it != screens.rend(); ++it)
        if (auto* scene = dynamic_cast<HOScene*>(*it))
            return scene;
    return nullptr;
}

bool visiblePointOf(const HOScene& scene, ItemState* item, Point& out)
{
    if (!item || !item->renderer)
        return false;
    const WidgetGeometry box = item->renderer->geometry();
    const int cx = box.x + box.w / 2;
    const int cy = box.y + box.h / 2;
    long best = -1;
    for (int y = box.y; y < box.y + box.h; y += 2)
        for (int x = box.x; x < box.x + box.w; x += 2) {
            const long d = static_cast<long>(x - cx) * (x - cx) + static_cast<long>(y - cy) * (y - cy);
            if ((best < 0 || d < best) && scene.hitTest(x, y) == item) {
                best = d;
                out = Point{x, y};
            }
        }
    return best >= 0;
}

bool clickWanted(GameDriver& driver)
{
    HOScene* scene = topScene(driver);
    if (!scene)
        return false;
    Point unused;
    for (ItemState* item : itemsOf(2, scene->getSceneId()))
        if (clickable(item) && visiblePointOf(*scene, item, unused))
            return clickItem(driver, scene, item).empty();
    return false;
}

void addSceneDriverSupport(GameDriver& driver)
{
    using Args = std::vector<std::string>;
    driver.addProbe([&driver](ScreenBase*, GameDriver::DumpLines& out) { probe(driver, out); });
    HeadlessDriver& headless = driver.driver();
    headless.addCommand("click-item", 2, 2, [&driver](HeadlessDriver&, const Args& a) {
        int sceneId = 0, index = 0;
        if (!DriverScript::toInt(a[0], sceneId) || !DriverScript::toInt(a[1], index))
            return std::string("click-item: SCENE and INDEX are numbers");
        HOScene* scene = topScene(driver);
        if (!scene || scene->getSceneId() != sceneId)
            return "click-item: scene " + a[0] + " is not on the stack";
        ItemState* item = findItem(ItemKey{index, sceneId});
        if (!item)
            return "click-item: no item " + a[0] + ":" + a[1];
        return clickItem(driver, scene, item);
    });
    headless.addCommand("click-wanted", 0, 0, [&driver](HeadlessDriver&, const Args&) {
        if (!topScene(driver))
            return std::string("click-wanted: no scene");
        return clickWanted(driver) ? std::string() : std::string("click-wanted: no clickable wanted item shows");
    });
    headless.addCommand("close-top", 1, 1, [&driver](HeadlessDriver&, const Args& a) {
        int code = 0;
        if (!DriverScript::toInt(a[0], code))
            return std::string("close-top: CODE is a number");
        ScreenBase* top = driver.app() ? driver.app()->topScreen() : nullptr;
        if (!top)
            return std::string("close-top: no screen");
        top->close(code, true);
        return std::string();
    });
    headless.addCommand("quest", 1, 1, [](HeadlessDriver&, const Args& a) {
        int id = 0;
        QuestManager* quests = QuestManager::instance();
        if (!DriverScript::toInt(a[0], id) || !quests->questAt(id))
            return std::string("quest: no quest ") + a[0];
        quests->reset();
        for (int q = 0; q < id; ++q)
            quests->complete(q);
        quests->setCurrent(id);
        quests->questAt(id)->open = true;
        return std::string();
    });
    headless.addCommand("savedstep", 1, 1, [](HeadlessDriver&, const Args& a) {
        int step = 0;
        if (!DriverScript::toInt(a[0], step))
            return std::string("savedstep: not a number");
        PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
        if (!profile)
            return std::string("savedstep: no current profile");
        profile->setSavedStep(step);
        return std::string();
    });
}
