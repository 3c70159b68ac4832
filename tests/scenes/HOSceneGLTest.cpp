// The scene machinery on the running game: a bare HOScene over a scene of
// flat test pictures, driven by clicks and fake time through GameDriver.
//
// Scene 90: 0 grey background (group 6), 1 red block at (100, 100), 2 green
// ring at (150, 100) on the same layer (drawn over the block; its hole shows
// the block), 3 blue disc at (400, 100) of a type no renderer rule names
// (neither drawn nor clickable, so never asked for).
#include "engine/app/GameApp.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"
#include "quillendar/QuillendarApp.h"
#include "scenes/HOScene.h"
#include "scenes/ItemGoalRenderer.h"
#include "scenes/ItemRendererCreators.h"
#include "scenes/ItemRendererFactory.h"
#include "tests/app/BmpImage.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/SceneDriverSupport.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int SceneId = 90;

// A bare scene with the plain textured renderer only; it records its hooks
// and makes the wanted items clickable, as a goal panel would.
class ProbeScene : public HOScene {
public:
    ProbeScene(const std::string& folder, int savedStep)
        : HOScene(SceneId, folder, "R.xml", "M.xml", "G.xml", savedStep)
    {
        ItemRendererFactory::destroyInstance();
        registerItemRendererCreators(*ItemRendererFactory::instance());
    }

    std::vector<std::string> hooks;
    int missed = 0;
    // Close with 1001 when every step is done, as the game scene does.
    bool closeWhenDone = false;
    // Result codes the scenes closed with (a closed scene is deleted).
    static inline std::vector<int> closedWith;

protected:
    void onRenderersBuilt() override { enableWanted(); }
    void onItemRemoved(ItemState*) override { enableWanted(); }
    void onMissedClick() override { ++missed; }
    void onStepStarted(MechanicsStep*) override { hooks.push_back("step " + std::to_string(stepIndex)); }
    void onAllStepsDone() override
    {
        hooks.push_back("done");
        if (closeWhenDone)
            close(1001, true);
    }
    void onMessage(int32_t code) override
    {
        closedWith.push_back(code);
        GameApp::instance()->closeScreen(this);
    }

private:
    void enableWanted()
    {
        for (ItemState* s : ItemRegistry::instance()->itemsOfGroup(2, sceneId))
            if (s->renderer)
                s->renderer->setDecoratorEnabled(true);
    }
};

// The screen of a Screen step: pops itself 500 ms after it has entered.
class TestChild : public ScreenBase {
public:
    TestChild() : ScreenBase("TestChild") { ++made; }
    ~TestChild() override { ++deleted; }
    void loadResources() override {}
    void build() override {}
    void onUpdate(int dt) override
    {
        if (state == Idle && (shownMs += dt) >= 500)
            close(100, true);
    }
    void onClosed(int) override { GameApp::instance()->closeScreen(this); }

    static inline int made = 0;
    static inline int deleted = 0;

private:
    int shownMs = 0;
};

// A goal panel at (700, 600, 100, 100) whose release replaces it with a
// plain panel; it notes whether it outlived that call.
class SwappingPanel : public ItemGoalRenderer {
public:
    SwappingPanel() { setGeometry(WidgetGeometry(700, 600, 0, 100, 100)); }
    ~SwappingPanel() override { ++deaths; }
    void onMouseRelease(MouseEvent*) override
    {
        const int before = deaths;
        getScene()->setGoalRenderer(new ItemGoalRenderer());
        survivedRelease = deaths == before;
    }
    bool hitTest(int x, int y) override { return getGeometry().contains(x, y); }
    static inline int deaths = 0;
    static inline bool survivedRelease = false;
};

std::string item(const std::string& image, int x, int y, int layer, int typeId)
{
    return "<Item name='" + image + "' image='" + image + "' layer='" + std::to_string(layer) +
           "' majorGroupID='0' minorGroupID='0' x='" + std::to_string(x) + "' y='" + std::to_string(y) +
           "' angle='0' R='255' G='255' B='255' A='255' type='0' infoTip='t' typeId='" + std::to_string(typeId) +
           "'/>";
}

const Color Grey(90, 90, 90), Red(220, 40, 40), Green(40, 200, 60);

class HOSceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GameDriver::resetServices();
        ::setenv("APPDATA", appData.path().c_str(), 1);
        game = std::make_unique<GameDriver>(driver);
        addGameDriverProbes(*game);
        std::string error;
        ASSERT_TRUE(game->startGame(error)) << error;
        ASSERT_EQ(game->newProfile("Tester", 1), "");
        while (game->app()->topScreen())
            game->app()->popScreen();
        GameFlow::instance()->registerFactory("TestChild", [](const ScreenAttributes&) -> ScreenBase* {
            return new TestChild();
        });
        TestChild::made = TestChild::deleted = 0;
        for (const char* picture : {"GreyBackground.png", "RedBlock.png", "GreenRing.png", "BlueDisc.png"})
            std::filesystem::copy_file(fixture(std::string("scene/") + picture), files.path(picture));
        files.write("Scene.xml", "<Scene>" + item("GreyBackground.png", 0, 0, 0, 500) +
                                     item("RedBlock.png", 100, 100, 5, 0) + item("GreenRing.png", 150, 100, 5, 0) +
                                     item("BlueDisc.png", 400, 100, 5, 9) + "</Scene>");
        files.write("G.xml", "<ItemGroupRules><Rule groupId='6' typeId='500' type='0'/><Rule groupId='1' "
                             "typeId='0' type='0'/><Rule groupId='1' typeId='9' type='0'/></ItemGroupRules>");
        files.write("R.xml", "<ItemRendererRules><Rule typeId='0' renderer='1'/><Rule typeId='500' "
                             "renderer='1'/></ItemRendererRules>");
        SceneIndex::instance()->entries()[SceneId] = SceneIndexEntry{SceneId, "Scene.xml", files.path() + "/"};
    }
    void TearDown() override
    {
        game.reset();
        GameDriver::resetServices();
        ItemRendererFactory::destroyInstance();
    }

    // Shows a scene of the script's steps (inside <SceneMechanics>).
    ProbeScene* show(const std::string& steps, int savedStep = 0)
    {
        files.write("M.xml", "<SceneMechanics>" + steps + "</SceneMechanics>");
        auto* scene = new ProbeScene(files.path() + "/", savedStep);
        game->app()->showScreen(scene);
        driver.step(2);
        return scene;
    }
    std::vector<int> group(int g) const
    {
        std::vector<int> out;
        for (ItemState* s : ItemRegistry::instance()->itemsOfGroup(g, SceneId))
            out.push_back(s->itemIndex);
        return out;
    }
    // Runs frames until the top screen is `screen` (at most 5 s).
    bool stepUntilTop(const ScreenBase* screen)
    {
        for (int i = 0; i < 500; ++i) {
            if (game->app()->topScreen() == screen)
                return true;
            driver.step(1);
        }
        return false;
    }
    TestChild* topChild() const { return dynamic_cast<TestChild*>(game->app()->topScreen()); }
    void click(int x, int y)
    {
        driver.click(x, y);
        driver.step(2);
    }
    Color pixel(int x, int y)
    {
        const std::string path = appData.path("shot.bmp");
        EXPECT_TRUE(driver.shot(path));
        return BmpImage(path).at(x, y);
    }

    TempFolder appData;
    TempFolder files;
    HeadlessDriver driver;  // before the game: its clock reads the driver
    std::unique_ptr<GameDriver> game;
};

const char* const WantAll = "<CollectGroup><Collect name='all' typeId='0,9' pick='all'/></CollectGroup>";
const char* const ChildStep = "<Screen type='TestChild' transition='fade'/>";

} // namespace

TEST_F(HOSceneTest, TheItemDrawnOnTopTakesTheClickAndTransparentPixelsFallThrough)
{
    ProbeScene* scene = show(WantAll);
    EXPECT_EQ(group(2), (std::vector<int>{1, 2}));
    // Equal layers: the ring (higher index) is drawn over the block; its hole
    // shows the block; the disc matches no renderer rule, is not drawn and so
    // is not wanted.
    EXPECT_EQ(scene->getRenderList().size(), 4u);
    EXPECT_TRUE(near(pixel(160, 150), Green)) << describe(pixel(160, 150));
    EXPECT_TRUE(near(pixel(185, 150), Red));
    EXPECT_TRUE(near(pixel(450, 150), Grey));
    EXPECT_EQ(ItemRegistry::instance()->find(1, ItemKey{3, SceneId})->renderer, nullptr);

    // The bare background and the undrawn disc are misses; nothing moves.
    click(600, 600);
    click(450, 150);
    EXPECT_EQ(scene->missed, 2);
    EXPECT_EQ(group(2), (std::vector<int>{1, 2}));

    // Through the ring's hole: the block is taken out of view.
    click(185, 150);
    EXPECT_EQ(group(3), (std::vector<int>{1}));
    const SceneItem* block = ItemRegistry::instance()->find(3, ItemKey{1, SceneId})->item.get();
    EXPECT_EQ(block->x, 1024.0f);
    EXPECT_EQ(block->y, 768.0f);
    click(160, 150);
    EXPECT_EQ(group(3), (std::vector<int>{1, 2}));
    // Nothing is left to find: the step, the last, is done.
    EXPECT_TRUE(group(2).empty());
    EXPECT_EQ(scene->hooks.back(), "done");
    EXPECT_TRUE(near(pixel(185, 150), Grey));
    EXPECT_EQ(scene->missed, 2);
}

TEST_F(HOSceneTest, ARaisedItemIsDrawnAndHitAboveTheOthers)
{
    ProbeScene* scene = show(WantAll);
    ItemState* block = ItemRegistry::instance()->find(2, ItemKey{1, SceneId});
    scene->raiseItem(block);
    EXPECT_EQ(block->item->layer, 6);
    EXPECT_EQ(game->stateValue("scene.drawn"), "0 2 3 1");
    EXPECT_TRUE(near(pixel(160, 150), Red));
    click(160, 150);
    EXPECT_EQ(group(3), (std::vector<int>{1}));
}

TEST_F(HOSceneTest, AScreenStepWithoutACreatorKeepsTheSceneOnThatStep)
{
    ProbeScene* scene = show(std::string("<Screen type='NoSuchScreen' transition='fade'/>") + WantAll);
    EXPECT_EQ(scene->getStepIndex(), 0);
    EXPECT_EQ(scene->getChildScreen(), nullptr);
    EXPECT_EQ(scene->getState(), ScreenBase::Idle);
    EXPECT_TRUE(group(2).empty());
    click(600, 600);
    EXPECT_EQ(scene->missed, 1);
}

TEST_F(HOSceneTest, AFirstCollectStepWithoutCandidatesIsPassedOverAtBuild)
{
    ProbeScene* scene = show("<CollectGroup><Collect name='x' typeId='77' pick='all'/></CollectGroup>"
                             "<CollectGroup><Collect name='y' typeId='0' pick='first' count='1'/></CollectGroup>");
    EXPECT_EQ(scene->getStepIndex(), 1);
    EXPECT_EQ(group(2), (std::vector<int>{1}));
    // Each step is announced once, in order: the first one too, though it
    // was passed over while the scene was built (the game scene takes its
    // quest there); build does not repeat the second.
    EXPECT_EQ(scene->hooks, (std::vector<std::string>{"step 0", "step 1"}));
    EXPECT_EQ(game->stateValue("scene.step"), "1");
}

TEST_F(HOSceneTest, AScreenStepReachedWhileBuildingOpensOnceTheSceneHasEntered)
{
    ProbeScene* scene = show(std::string("<CollectGroup><Collect name='x' typeId='77' pick='all'/>"
                                         "</CollectGroup>") +
                             ChildStep);
    EXPECT_EQ(scene->getStepIndex(), 1);
    EXPECT_EQ(scene->hooks, (std::vector<std::string>{"step 0", "step 1"}));
    EXPECT_EQ(scene->getState(), ScreenBase::Leaving);  // fading out for the child
    driver.step(55);
    EXPECT_NE(topChild(), nullptr);
}

TEST_F(HOSceneTest, ResumedAtAScreenStepTheChildReturnMakesTheNextItemsWanted)
{
    ProbeScene* scene = show(std::string("<CollectGroup><Collect name='a' typeId='0' pick='first' count='1'/>"
                                         "</CollectGroup>") +
                                 ChildStep + WantAll,
                             1);
    // The items are drawn (the scene is fading out), nothing is wanted; the
    // child waits for the end of the fade.
    EXPECT_TRUE(near(pixel(185, 150), Red, 30)) << describe(pixel(185, 150));
    EXPECT_TRUE(group(2).empty());
    EXPECT_EQ(scene->getStepIndex(), 1);
    EXPECT_NE(dynamic_cast<TestChild*>(scene->getChildScreen()), nullptr);
    EXPECT_EQ(game->app()->topScreen(), scene);
    driver.step(55);
    EXPECT_NE(topChild(), nullptr);
    EXPECT_TRUE(group(2).empty());
    // Its fade-in, 500 ms shown, its fade-out: the scene comes back at step 2.
    ASSERT_TRUE(stepUntilTop(scene));
    EXPECT_EQ(scene->getStepIndex(), 2);
    EXPECT_EQ(group(2), (std::vector<int>{1, 2}));
    EXPECT_EQ(scene->getChildScreen(), nullptr);
    EXPECT_EQ(scene->hooks, (std::vector<std::string>{"step 1", "step 2"}));
    EXPECT_EQ(TestChild::deleted, 1);
    click(185, 150);
    EXPECT_EQ(group(3), (std::vector<int>{1}));
}

TEST_F(HOSceneTest, FocusLostWhileFadingOutForTheChildStillShowsTheChild)
{
    ProbeScene* scene = show(std::string("<CollectGroup><Collect name='a' typeId='0' pick='all'/>"
                                         "</CollectGroup>") +
                             ChildStep);
    click(185, 150);
    click(160, 150);
    ASSERT_EQ(scene->getState(), ScreenBase::Leaving);
    // The pause screen comes and goes during the scene's fade-out.
    driver.focusEvent(false);
    driver.step(3);
    driver.focusEvent(true);
    driver.step(3);
    EXPECT_EQ(scene->getStepIndex(), 1);
    EXPECT_NE(scene->getChildScreen(), nullptr);
    driver.step(55);
    EXPECT_EQ(TestChild::made, 1);
    EXPECT_NE(topChild(), nullptr);
    EXPECT_TRUE(stepUntilTop(scene));
    EXPECT_EQ(scene->hooks, (std::vector<std::string>{"step 0", "step 1", "done"}));
}

TEST_F(HOSceneTest, AChildNeverShownIsDeletedWithTheScene)
{
    // Entered at once: the child is made and waits for the next update.
    files.write("M.xml", std::string("<SceneMechanics>") + ChildStep + "</SceneMechanics>");
    auto* scene = new ProbeScene(files.path() + "/", 0);
    game->app()->showScreen(scene);
    ASSERT_EQ(TestChild::made, 1);
    ASSERT_EQ(game->app()->topScreen(), scene);
    EXPECT_TRUE(scene->isBlackOverlay());  // a first step: black, not a fade
    game->app()->popScreen();
    EXPECT_EQ(TestChild::deleted, 1);
}

TEST_F(HOSceneTest, AMissingScriptOrAStaleSavedStepMeansEveryStepIsDone)
{
    std::filesystem::remove(files.path("M.xml"));
    auto* bare = new ProbeScene(files.path() + "/", 0);
    bare->closeWhenDone = true;
    ProbeScene::closedWith.clear();
    game->app()->showScreen(bare);
    EXPECT_EQ(bare->hooks, (std::vector<std::string>{"done"}));
    EXPECT_EQ(bare->getRenderList().size(), 4u);  // still drawn
    // Told once it has entered, so that its close is not lost.
    driver.step(2);
    EXPECT_EQ(ProbeScene::closedWith, (std::vector<int>{1001}));
    EXPECT_EQ(game->app()->topScreen(), nullptr);

    ProbeScene* stale = show(std::string(WantAll) + WantAll, 7);
    EXPECT_EQ(stale->getStepIndex(), 2);
    EXPECT_EQ(stale->hooks, (std::vector<std::string>{"done"}));
    EXPECT_TRUE(near(pixel(160, 150), Green));
}

TEST_F(HOSceneTest, ARememberedItemIsForgottenWhenItsStateIsDestroyed)
{
    ProbeScene* scene = show(WantAll);
    scene->setTrackHover(true);
    driver.mouseMove(120, 150);
    driver.step(2);
    ItemState* block = ItemRegistry::instance()->find(2, ItemKey{1, SceneId});
    ASSERT_EQ(scene->getLastHitItem(), block);
    ItemRegistry::instance()->moveItem(2, block->key(), 0);
    ItemRegistry::instance()->removeFound(ItemKey{1, SceneId});
    EXPECT_EQ(scene->getLastHitItem(), nullptr);
    EXPECT_EQ(scene->getRenderList().size(), 3u);
    // A press without a move hit-tests afresh: the background, a miss.
    // Without hover tracking the release forgets it again: the next press,
    // also without a move, takes the ring.
    scene->setTrackHover(false);
    driver.mouseButton(120, 150, 1, true);
    driver.mouseButton(120, 150, 1, false);
    driver.step(2);
    EXPECT_EQ(scene->missed, 1);
    driver.mouseButton(160, 150, 1, true);
    driver.mouseButton(160, 150, 1, false);
    driver.step(2);
    EXPECT_EQ(group(3), (std::vector<int>{2}));
}

TEST_F(HOSceneTest, TheGoalPanelReplacedFromItsOwnClickGoesAtTheNextUpdate)
{
    ProbeScene* scene = show(WantAll);
    SwappingPanel::deaths = 0;
    auto* first = new SwappingPanel();
    scene->setGoalRenderer(first);
    EXPECT_EQ(game->stateValue("scene.goal"), "1 2");
    click(185, 150);
    EXPECT_EQ(game->stateValue("scene.goal"), "2");
    driver.mouseMove(750, 650);
    driver.mouseButton(750, 650, 1, true);
    driver.mouseButton(750, 650, 1, false);
    driver.step(1);
    EXPECT_TRUE(SwappingPanel::survivedRelease);
    ItemGoalRenderer* second = scene->getGoalRenderer();
    ASSERT_NE(second, first);
    EXPECT_EQ(second->getScene(), scene);
    EXPECT_EQ(game->stateValue("scene.goal"), "2");
    driver.step(1);
    EXPECT_EQ(SwappingPanel::deaths, 1);
    EXPECT_TRUE(scene->ownsWidget(second));
}

TEST_F(HOSceneTest, AnItemWithoutItsRecordGetsNoRenderer)
{
    ItemRegistry* registry = ItemRegistry::instance();
    ASSERT_EQ(registry->registerScene(SceneId, files.path("G.xml")), 4);
    registry->find(1, ItemKey{1, SceneId})->item.reset();
    ProbeScene* scene = show(WantAll);
    // Still waiting (no record, no type to pick it by) and in the drawing
    // order, but nothing draws it.
    ASSERT_NE(registry->find(1, ItemKey{1, SceneId}), nullptr);
    EXPECT_EQ(registry->find(1, ItemKey{1, SceneId})->renderer, nullptr);
    EXPECT_EQ(scene->getRenderList().size(), 4u);
    EXPECT_TRUE(near(pixel(120, 150), Grey));
    click(120, 150);
    EXPECT_EQ(scene->missed, 1);
}

// Items a click cannot find are never asked for, each named once: a picture
// that is missing, one placed beyond the scene's edge, one whose renderer
// takes no clicks. What is left can be found and ends the step.
TEST_F(HOSceneTest, ItemsThatCannotBeFoundAreNotAskedFor)
{
    files.write("Scene.xml", "<Scene>" + item("GreyBackground.png", 0, 0, 0, 500) +
                                 item("RedBlock.png", 100, 100, 5, 0) + item("Gone.png", 300, 100, 5, 0) +
                                 item("GreenRing.png", 1030, 100, 5, 0) + item("BlueDisc.png", 400, 300, 5, 9) +
                                 "</Scene>");
    files.write("R.xml", "<ItemRendererRules><Rule typeId='9' renderer='3'/><Rule renderer='1'/>"
                         "</ItemRendererRules>");
    testing::internal::CaptureStdout();
    ProbeScene* scene = show(WantAll);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(group(2), (std::vector<int>{1}));
    EXPECT_EQ(group(1), (std::vector<int>{2, 3, 4}));
    const std::string file = "scene items: \"" + files.path("Scene.xml") + "\": ";
    EXPECT_NE(out.find(file + "item 2 \"Gone.png\" cannot be found: its picture"), std::string::npos) << out;
    EXPECT_NE(out.find(file + "item 3 \"GreenRing.png\" cannot be found: its picture"), std::string::npos) << out;
    EXPECT_NE(out.find("lies outside the scene (x 1030"), std::string::npos) << out;
    EXPECT_NE(out.find(file + "item 4 \"BlueDisc.png\" cannot be found: its renderer takes no clicks"),
              std::string::npos)
        << out;
    click(120, 150);
    EXPECT_TRUE(group(2).empty());
    EXPECT_EQ(scene->hooks.back(), "done");
}

// Renderer rules keyed on the group: typeId 0 is drawn only once wanted
// (group 2), the disc (typeId 9) only while it waits. A waiting item is
// judged by the renderer it will have once wanted, at the pick made while
// the scene is built and at later ones: the block and the ring, not drawn
// while they wait, are asked for one step after the other and drawn then;
// the disc, which nothing would draw once wanted, never is.
TEST_F(HOSceneTest, ItemsAreJudgedByTheRendererTheRulesGiveThemOnceWanted)
{
    files.write("R.xml", "<ItemRendererRules><Rule groupId='2' typeId='0' renderer='1'/>"
                         "<Rule groupId='1' typeId='9' renderer='1'/><Rule typeId='500' renderer='1'/>"
                         "</ItemRendererRules>");
    testing::internal::CaptureStdout();
    ProbeScene* scene = show("<CollectGroup><Collect name='a' typeId='9' pick='all'/>"
                             "<Collect name='b' typeId='0' pick='first' count='1'/></CollectGroup>"
                             "<CollectGroup><Collect name='c' typeId='0' pick='all'/></CollectGroup>");
    const std::string out = testing::internal::GetCapturedStdout();
    ItemRegistry* registry = ItemRegistry::instance();
    EXPECT_EQ(group(2), (std::vector<int>{1}));
    EXPECT_EQ(group(1), (std::vector<int>{2, 3}));
    EXPECT_EQ(scene->hooks, (std::vector<std::string>{"step 0"}));
    EXPECT_NE(out.find("item 3 \"BlueDisc.png\" cannot be found: it has no renderer"), std::string::npos) << out;
    EXPECT_EQ(out.find("\"RedBlock.png\" cannot"), std::string::npos) << out;
    EXPECT_EQ(out.find("\"GreenRing.png\" cannot"), std::string::npos) << out;
    // The wanted block is drawn; of the waiting items the disc is, the ring
    // is not.
    EXPECT_EQ(registry->find(1, ItemKey{2, SceneId})->renderer, nullptr);
    EXPECT_NE(registry->find(1, ItemKey{3, SceneId})->renderer, nullptr);
    EXPECT_TRUE(near(pixel(160, 150), Red)) << describe(pixel(160, 150));
    click(120, 150);
    EXPECT_EQ(group(3), (std::vector<int>{1}));
    // The second step, started by that click, wants the ring, drawn now.
    EXPECT_EQ(scene->hooks, (std::vector<std::string>{"step 0", "step 1"}));
    EXPECT_EQ(group(2), (std::vector<int>{2}));
    EXPECT_TRUE(near(pixel(160, 150), Green)) << describe(pixel(160, 150));
    click(160, 150);
    EXPECT_EQ(group(3), (std::vector<int>{1, 2}));
    EXPECT_EQ(scene->hooks.back(), "done");
    EXPECT_EQ(group(1), (std::vector<int>{3}));
}

// A scene resumed with an item still wanted that can no longer be found (its
// record now lies beyond the screen): the item goes back to waiting and the
// rest of the step goes on.
TEST_F(HOSceneTest, AResumedStepDropsAWantedItemThatCanNoLongerBeFound)
{
    show(WantAll);
    EXPECT_EQ(group(2), (std::vector<int>{1, 2}));
    game->app()->popScreen();
    ItemRegistry::instance()->find(2, ItemKey{2, SceneId})->item->x = -5000.0f;
    testing::internal::CaptureStdout();
    ProbeScene* scene = show(WantAll);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(group(2), (std::vector<int>{1}));
    EXPECT_EQ(group(1), (std::vector<int>{3, 2}));
    EXPECT_NE(out.find("item 2 \"GreenRing.png\" cannot be found"), std::string::npos) << out;
    click(185, 150);
    EXPECT_EQ(scene->hooks.back(), "done");
}
