// The game scene on the running game (GameDriver) over scenes of flat test
// pictures: scoring by typeId, the collect animation, the goal panels as
// items are found, replay, the held close of a locked step, the panorama and
// the ways out that the driver scripts do not reach.
#include "engine/app/GameApp.h"
#include "engine/gfx/GLTexture.h"
#include "engine/store/ConfigFile.h"
#include "engine/store/SaveGame.h"
#include "engine/ui/InputEvents.h"
#include "frontend/MainMenu.h"
#include "frontend/MapOfKingdom.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"
#include "quillendar/QuillendarApp.h"
#include "scenes/CollectableItemRenderer.h"
#include "scenes/CountItemGoalRenderer.h"
#include "scenes/CountStackGoalRenderer.h"
#include "scenes/ItemRendererFactory.h"
#include "scenes/QDScene.h"
#include "scenes/SceneExitRoute.h"
#include "scenes/ScoreNotificationWidget.h"
#include "scenes/SilhouetteGoalRenderer.h"
#include "scenes/StackedItemGoalRenderer.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/SceneDriverSupport.h"
#include "tests/support/Fixtures.h"
#include "tests/scenes/QDSceneTestFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST_F(QDSceneTest, FindsScoreByTypeAndRunesGoToTheFoundGroup)
{
    // Beside every kind, the type ids at both ends of the key items' range
    // (100 to 199) and just outside it.
    std::vector<Item> items = EveryKind;
    items.push_back({"RedBlock.png", 100, 500, 99, ""});
    items.push_back({"GreenRing.png", 300, 500, 199, ""});
    QDScene* scene = show(1, items, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0,99,100,199,200,213")));
    ASSERT_NE(scene->getScoreWidget(), nullptr);
    // A miss at 0 costs nothing.
    clickBackground();
    EXPECT_EQ(scene->getScore(), 0);
    // Items 1 to 5 (type ids 0, 100, 200, 213, 667), then 7 (99, no points)
    // and 8 (199, a key item).
    const std::vector<std::pair<int, int>> finds = {{1, 100}, {2, 150}, {3, 200}, {4, 200}, {5, 500}, {7, 0}, {8, 150}};
    int total = 0;
    for (const auto& [index, points] : finds) {
        ASSERT_TRUE(clickItem(scene, index)) << index;
        total += points;
        EXPECT_EQ(scene->getScore(), total) << index;
        waitMs(1100);
    }
    // Runes (200 and 213) are kept as found; the others are out of view.
    EXPECT_EQ(groupOf(1), 3);
    EXPECT_EQ(groupOf(2), 3);
    EXPECT_EQ(groupOf(3), 0);
    EXPECT_EQ(groupOf(4), 0);
    EXPECT_EQ(groupOf(5), 3);
    // A miss: "Points.WrongClick" (-25).
    clickBackground();
    EXPECT_EQ(scene->getScore(), total - 25);
}

TEST_F(QDSceneTest, CasualModeKeepsNoScoreAndHidesTheMagicItem)
{
    QDScene* scene = show(0, EveryKind, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0")));
    EXPECT_EQ(scene->getScoreWidget(), nullptr);
    ItemState* magic = itemAt(5);
    ASSERT_NE(magic, nullptr);
    ASSERT_NE(magic->renderer, nullptr);
    EXPECT_FALSE(magic->renderer->isVisible());
    EXPECT_FALSE(magic->renderer->isDecoratorEnabled());
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(1100);
    EXPECT_EQ(groupOf(1), 3);
    EXPECT_EQ(scene->getScore(), 0);
    EXPECT_EQ(PlayerProfiles::instance()->currentProfile()->getScore(), 0);
}

TEST_F(QDSceneTest, TheCollectAnimationSwellsFadesAndScoresOnce)
{
    QDScene* scene = show(1, EveryKind, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0")));
    auto* renderer = dynamic_cast<CollectableItemRenderer*>(itemAt(1)->renderer.get());
    ASSERT_NE(renderer, nullptr);
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(120);
    EXPECT_GT(renderer->getScale(), 1.15f);
    EXPECT_EQ(groupOf(1), 2);
    // Still drawn and still wanted, but a second click finds nothing (and is
    // no miss either).
    Point at;
    ASSERT_TRUE(visiblePointOf(*scene, itemAt(1), at));
    driver.click(at.x, at.y);
    driver.step(2);
    EXPECT_EQ(scene->getScore(), 100);
    waitMs(1000);
    EXPECT_EQ(groupOf(1), 3);
    EXPECT_EQ(itemAt(1)->item->x, 1024.0f);
}

TEST_F(QDSceneTest, StackedPanelSlidesTheNextItemInAndCountsDown)
{
    std::vector<Item> eight;
    for (int i = 0; i < 8; ++i)
        eight.push_back(Item{"RedBlock.png", 40 + 120 * i, 200, 0, "Thing" + std::to_string(i + 1)});
    QDScene* scene = show(1, eight, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0")));
    auto* panel = dynamic_cast<StackedItemGoalRenderer*>(scene->getGoalRenderer());
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->getSlots().size(), 6u);
    EXPECT_EQ(panel->getSlots()[0].text, "Thing1");
    EXPECT_EQ(panel->getSlots()[5].text, "Thing6");
    EXPECT_EQ(panel->wantedEntries().size(), 6u);
    // The two not shown are not clickable yet.
    EXPECT_FALSE(itemAt(7)->renderer->isDecoratorEnabled());
    EXPECT_TRUE(itemAt(1)->renderer->isDecoratorEnabled());

    const int restX1 = panel->getSlots()[1].x;
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(1050);
    // Found: the rest of row 0 moves up a place and slides in from the
    // right; the seventh item takes the end of the row.
    EXPECT_EQ(panel->wantedList().size(), 7u);
    EXPECT_EQ(panel->getSlots()[0].text, "Thing2");
    EXPECT_EQ(panel->getSlots()[1].text, "Thing3");
    EXPECT_EQ(panel->getSlots()[2].text, "Thing7");
    EXPECT_EQ(panel->getSlots()[3].text, "Thing4");
    EXPECT_GT(panel->getSlots()[1].x, restX1);
    EXPECT_TRUE(panel->isSliding());
    EXPECT_TRUE(itemAt(7)->renderer->isDecoratorEnabled());
    waitMs(500);
    EXPECT_FALSE(panel->isSliding());
    EXPECT_EQ(panel->getSlots()[1].x, restX1);
}

TEST_F(QDSceneTest, CountPanelNamesEachKindWithItsCount)
{
    const std::vector<Item> items = {{"RedBlock.png", 100, 100, 5, "Feather"},
                                     {"RedBlock.png", 300, 100, 5, "Feather"},
                                     {"RedBlock.png", 500, 100, 5, "Feather"},
                                     {"BlueDisc.png", 700, 100, 6, "Cup"}};
    QDScene* scene = show(1, items, collect("FIND_X_ITEMS", rule("Feather", "5") + rule("Cup", "6")));
    auto* panel = dynamic_cast<CountItemGoalRenderer*>(scene->getGoalRenderer());
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->getSlots().size(), 2u);
    EXPECT_EQ(panel->getSlots()[0].text, "Feather x 3");
    EXPECT_EQ(panel->getSlots()[1].text, "Cup");
    EXPECT_EQ(panel->getSlots()[0].box.x, 316);
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(1100);
    EXPECT_EQ(panel->getSlots()[0].text, "Feather x 2");
    ASSERT_TRUE(clickItem(scene, 2));
    waitMs(1100);
    EXPECT_EQ(panel->getSlots()[0].text, "Feather");
    ASSERT_TRUE(clickItem(scene, 4));
    waitMs(1100);
    EXPECT_EQ(panel->getSlots()[1].text, "");
}

TEST_F(QDSceneTest, SilhouettesComeFromThePrefixFilesAndAMissingOneStillDraws)
{
    std::filesystem::copy_file(fixture("scene/BlueDisc.png"), files.path("Sil_RedBlock.png"));
    const std::vector<Item> items = {{"RedBlock.png", 100, 100, 0, ""}, {"GreenRing.png", 300, 100, 0, ""}};
    QDScene* scene = show(1, items, collect("SHILHOUETTE_ITEM_LIST", rule("any", "0")));
    auto* panel = dynamic_cast<SilhouetteGoalRenderer*>(scene->getGoalRenderer());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->wantedEntries().size(), 2u);
    auto* red = dynamic_cast<TexItemRenderer*>(itemAt(1)->renderer.get());
    ASSERT_NE(red->filteredTexture(SilhouetteGoalRenderer::SilhouetteTexture), nullptr);
    EXPECT_EQ(red->filteredTexture(SilhouetteGoalRenderer::SilhouetteTexture)->getWidth(), 100);
    EXPECT_TRUE(driver.shot(appData.path("silhouettes.bmp")));
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(1100);
    EXPECT_EQ(panel->wantedEntries().size(), 1u);
    EXPECT_TRUE(driver.shot(appData.path("silhouettes2.bmp")));
}

TEST_F(QDSceneTest, CountStackPanelStacksKeysAndMovesTheStackBelowUp)
{
    std::vector<Item> items = {{"GreenRing.png", 20, 20, 150, "Key"}, {"GreenRing.png", 140, 20, 150, "Key"}};
    for (int i = 0; i < 6; ++i)
        items.push_back(Item{"RedBlock.png", 20 + 120 * i, 250, 0, "Thing" + std::to_string(i + 1)});
    QDScene* scene = show(1, items, collect("COUNT_STACK_RENDERER", rule("any", "0,150")));
    auto* panel = dynamic_cast<CountStackGoalRenderer*>(scene->getGoalRenderer());
    ASSERT_NE(panel, nullptr);
    const auto& stacks = panel->getStacks();
    EXPECT_EQ(CountStackGoalRenderer::textOf(stacks[0]), "Key x 2");
    // Ordinary items fill the other places from the end of the list: Thing6
    // first; Thing1 waits.
    EXPECT_EQ(stacks[1].name, "Thing6");
    EXPECT_EQ(stacks[5].name, "Thing2");
    EXPECT_FALSE(itemAt(3)->renderer->isDecoratorEnabled());
    // Thing6 (top row, place 1) found: Thing3 (place 4) moves up, Thing1
    // comes into place 4 from below.
    ASSERT_TRUE(clickItem(scene, 8));
    waitMs(1050);
    EXPECT_EQ(stacks[1].name, "Thing3");
    EXPECT_EQ(stacks[4].name, "Thing1");
    EXPECT_GT(stacks[4].y, CountStackGoalRenderer::placeOf(4).y);
    waitMs(520);
    EXPECT_EQ(stacks[4].y, CountStackGoalRenderer::placeOf(4).y);
    EXPECT_TRUE(itemAt(3)->renderer->isDecoratorEnabled());
}

TEST_F(QDSceneTest, AReplayedSceneSavesNothingAndRemovesItsItemsOnLeaving)
{
    EXPECT_EQ(game->newProfile("Keeper", 1), "");
    game->app()->showScreen(new MainMenu());
    waitMs(600);
    ASSERT_TRUE(GameApp::instance()->getSaveGame()->save());
    const std::string save = QuillendarApp::saveFolder() + "/save.dat";
    const std::string before = fileBytes(save);
    ASSERT_FALSE(before.empty());
    files.write("Scene.xml", "<Scene>" + itemXml(Item{"GreyBackground.png", 0, 0, 500, ""}) +
                                 itemXml(EveryKind[0]) + itemXml(EveryKind[5]) + "</Scene>");
    files.write("M.xml", "<SceneMechanics>" + collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0", 33)) +
                             "</SceneMechanics>");
    auto* scene = new QDScene(SceneId, files.path() + "/", "R.xml", "M.xml", "G.xml");
    scene->setReplay(true);
    SceneIndex::instance()->entries()[SceneId] = SceneIndexEntry{SceneId, "Scene.xml", files.path() + "/"};
    game->app()->showScreen(scene);
    waitMs(600);
    // Quest 33 is locked, but a replay does not gate.
    EXPECT_EQ(scene->getState(), ScreenBase::Idle);
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(1100);
    EXPECT_EQ(groupOf(1), 3);
    driver.pressKey(std::string("escape"));
    waitMs(1200);
    EXPECT_NE(dynamic_cast<MainMenu*>(game->app()->topScreen()), nullptr);
    EXPECT_EQ(fileBytes(save), before);
    EXPECT_EQ(groupOf(1), -1);
    EXPECT_EQ(groupOf(2), -1);
}

TEST_F(QDSceneTest, ALockedStepClosesOnceTheSceneIsPushedAndLeadsToTheMap)
{
    // Quest 33 needs 32, which is not done; with quest 30 current the map
    // follows.
    EXPECT_EQ(game->newProfile("Locked", 1), "");
    QuestManager::instance()->setCurrent(30);
    files.write("Scene.xml", "<Scene>" + itemXml(EveryKind[0]) + "</Scene>");
    files.write("M.xml", "<SceneMechanics>" + collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0", 33)) +
                             "</SceneMechanics>");
    auto* scene = new QDScene(SceneId, files.path() + "/", "R.xml", "M.xml", "G.xml");
    SceneIndex::instance()->entries()[SceneId] = SceneIndexEntry{SceneId, "Scene.xml", files.path() + "/"};
    game->app()->showScreen(scene);
    driver.step(1);
    EXPECT_EQ(scene->getState(), ScreenBase::Leaving);
    EXPECT_EQ(scene->getResultCode(), QDScene::FinishedCode);
    EXPECT_EQ(scene->getGoalRenderer(), nullptr);
    waitMs(800);
    EXPECT_NE(dynamic_cast<MapOfKingdom*>(game->app()->topScreen()), nullptr);
}

TEST_F(QDSceneTest, AMinigameStepAfterAFindStepOpensEverythingTheFoundQuestOpens)
{
    // Quest 26 opens the bonus minigame 27 and quest 28 beside it. The
    // minigame's screen is made before the step starts and takes over as the
    // current quest; quest 28 must open all the same, or no location is
    // left on the map once the bonus game is played.
    EXPECT_EQ(game->newProfile("Opens", 0), "");
    QuestManager* quests = QuestManager::instance();
    for (int q = 0; q < 26; ++q)
        quests->complete(q);
    quests->setCurrent(26);
    files.write("Scene.xml", "<Scene>" + itemXml(Item{"GreyBackground.png", 0, 0, 500, "Background"}) +
                                 itemXml(EveryKind[0]) + "</Scene>");
    files.write("M.xml", "<SceneMechanics>" + collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0", 26)) +
                             "<Screen type='MgMemoryMatch' questId='27' transition='none'/></SceneMechanics>");
    auto* scene = new QDScene(SceneId, files.path() + "/", "R.xml", "M.xml", "G.xml");
    SceneIndex::instance()->entries()[SceneId] = SceneIndexEntry{SceneId, "Scene.xml", files.path() + "/"};
    game->app()->showScreen(scene);
    waitMs(600);
    ASSERT_EQ(scene->getStepQuestId(), 26);
    EXPECT_FALSE(quests->questAt(28)->open);
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(1500);
    ASSERT_EQ(scene->getStepIndex(), 1);
    EXPECT_EQ(GameDriver::className(scene->getChildScreen()), "MgMemoryMatch");
    EXPECT_EQ(quests->currentId(), 27);
    EXPECT_TRUE(quests->questAt(26)->done);
    EXPECT_TRUE(quests->questAt(27)->open);
    EXPECT_TRUE(quests->questAt(28)->open);
    EXPECT_FALSE(quests->questAt(28)->done);
}

TEST_F(QDSceneTest, EscapeWhileLeavingKeepsTheCodeAndDoneLeadsOnByQuest)
{
    QDScene* scene = show(1, EveryKind, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0")));
    scene->close(QDScene::MapCode, true);
    driver.pressKey(std::string("escape"));
    driver.step(1);
    EXPECT_EQ(scene->getResultCode(), QDScene::MapCode);
    waitMs(800);
    auto* map = dynamic_cast<MapOfKingdom*>(game->app()->topScreen());
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->getFromLocation(), SceneId);

    // Scene done (11): the flow advances before quest 4, the map from then on.
    QuestManager* quests = QuestManager::instance();
    quests->setCurrent(3);
    const int flowBefore = GameFlow::instance()->index;
    std::unique_ptr<ScreenBase> next(SceneExitRoute::follow(QDScene::SceneDoneCode, 0));
    EXPECT_EQ(dynamic_cast<MapOfKingdom*>(next.get()), nullptr);
    EXPECT_EQ(GameFlow::instance()->index, flowBefore + 1);
    quests->setCurrent(4);
    next.reset(SceneExitRoute::follow(QDScene::SceneDoneCode, 1));
    EXPECT_NE(dynamic_cast<MapOfKingdom*>(next.get()), nullptr);
    EXPECT_EQ(PlayerProfiles::instance()->currentProfile()->getSavedStep(), 0);
    next.reset(SceneExitRoute::follow(SceneExitRoute::NoFollowUp, 1));
    EXPECT_EQ(next, nullptr);
    next.reset(SceneExitRoute::follow(4321, 1));
    EXPECT_NE(dynamic_cast<MainMenu*>(next.get()), nullptr);

    // Finished (1001) while quest 3 is current: quest 3 is completed, quest 4
    // made current and the flow advances. With quest 4 current (no chapter
    // ends there) the map, and the current quest and the flow stay.
    quests->setCurrent(3);
    const int flowAtThree = GameFlow::instance()->index;
    next.reset(SceneExitRoute::follow(QDScene::FinishedCode, 1));
    EXPECT_EQ(dynamic_cast<MapOfKingdom*>(next.get()), nullptr);
    EXPECT_EQ(GameFlow::instance()->index, flowAtThree + 1);
    EXPECT_TRUE(quests->questAt(3)->done);
    EXPECT_EQ(quests->currentId(), 4);
    next.reset(SceneExitRoute::follow(QDScene::FinishedCode, 1));
    EXPECT_NE(dynamic_cast<MapOfKingdom*>(next.get()), nullptr);
    EXPECT_EQ(GameFlow::instance()->index, flowAtThree + 1);
    EXPECT_EQ(quests->currentId(), 4);
    EXPECT_EQ(PlayerProfiles::instance()->currentProfile()->getSavedStep(), 0);
    // The end of the flow gives the main menu, never an empty stack.
    GameFlow::instance()->index = GameFlow::instance()->entryCount();
    quests->setCurrent(2);
    next.reset(SceneExitRoute::follow(QDScene::FinishedCode, 1));
    EXPECT_NE(dynamic_cast<MainMenu*>(next.get()), nullptr);
}

TEST_F(QDSceneTest, ASavedStepPastTheScriptRestartsAtTheOpenQuestsStage)
{
    // The game's scene 0 holds quests 0, 1 and 2, starting at stages 0, 1
    // and 2. A script of `steps` steps, one item of its own kind for each.
    const int kinds[] = {0, 5, 6};
    auto showScene0 = [&](int steps, int savedStep) {
        PlayerProfiles::instance()->currentProfile()->setSavedStep(savedStep);
        std::string items = itemXml(Item{"GreyBackground.png", 0, 0, 500, "Background"});
        std::string script;
        for (int k = 0; k < steps; ++k) {
            items += itemXml(Item{"RedBlock.png", 100 + 200 * k, 300, kinds[k], ""});
            script += collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", std::to_string(kinds[k]), k));
        }
        files.write("Scene.xml", "<Scene>" + items + "</Scene>");
        files.write("M.xml", "<SceneMechanics>" + script + "</SceneMechanics>");
        auto* scene = new QDScene(0, files.path() + "/", "R.xml", "M.xml", "G.xml");
        SceneIndex::instance()->entries()[0] = SceneIndexEntry{0, "Scene.xml", files.path() + "/"};
        game->app()->showScreen(scene);
        waitMs(600);
        return scene;
    };
    QuestManager* quests = QuestManager::instance();

    EXPECT_EQ(game->newProfile("Stale", 1), "");
    quests->complete(0);
    QDScene* scene = showScene0(3, 9);
    ASSERT_EQ(game->app()->topScreen(), scene) << "the scene was left unplayed";
    EXPECT_EQ(scene->getState(), ScreenBase::Idle);
    EXPECT_EQ(scene->getStepIndex(), 1);
    EXPECT_EQ(PlayerProfiles::instance()->currentProfile()->getSavedStep(), 1);
    const std::vector<ItemState*> wanted = ItemRegistry::instance()->itemsOfGroup(2, 0);
    ASSERT_EQ(wanted.size(), 1u);
    EXPECT_EQ(wanted[0]->itemIndex, 2);  // the step's own kind
    EXPECT_FALSE(quests->questAt(1)->done);
    while (game->app()->topScreen())
        game->app()->popScreen();

    // A stage the script does not reach: its first step.
    EXPECT_EQ(game->newProfile("Staler", 1), "");
    quests->complete(0);
    quests->complete(1);
    scene = showScene0(2, 2);
    ASSERT_EQ(game->app()->topScreen(), scene) << "the scene was left unplayed";
    EXPECT_EQ(scene->getState(), ScreenBase::Idle);
    EXPECT_EQ(scene->getStepIndex(), 0);
    EXPECT_FALSE(quests->questAt(2)->done);
}

TEST_F(QDSceneTest, AWideBackgroundScrollsAsALoopAndItsSeamCopyTakesClicks)
{
    std::filesystem::copy_file(fixture("tex1025x10.png"), files.path("Wide.png"));
    QDScene* scene = show(1, {{"RedBlock.png", 30, 300, 0, ""}}, collect("STACKED_ITEM_LIST", rule("S", "0")),
                          "Wide.png");
    ASSERT_TRUE(scene->isPanorama());
    EXPECT_EQ(scene->getSceneWidth(), 1025);
    const float start = scene->getScrollX();
    driver.step(200);
    EXPECT_FLOAT_EQ(scene->getScrollX(), start - 100.0f);
    // Run on until the start of the scene shows again right of its end: the
    // block's copy is drawn at 30 + 1025 + scrollX - 1.
    while (scene->getScrollX() > -900.0f)
        driver.step(1);
    ASSERT_TRUE(scene->isWrapVisible());
    const int copyX = static_cast<int>(30 + 1025 + scene->getScrollX() - 1) + 50;
    driver.click(copyX, 350);
    driver.step(2);
    EXPECT_EQ(scene->getScore(), 100);
}

TEST(ScoreNotificationWidgetTest, RisesAHundredPixelsAndFadesOverItsTime)
{
    ScoreNotificationWidget note(nullptr);
    EXPECT_TRUE(note.isIdle());
    EXPECT_FALSE(note.isEnabled());
    note.show(300, 200, "+100", nullptr);
    EXPECT_FALSE(note.isIdle());
    note.update(750, nullptr);
    EXPECT_NEAR(note.getGeometry().y, 150, 1);
    EXPECT_NEAR(note.getColour().a, 128, 2);
    note.update(750, nullptr);
    EXPECT_EQ(note.getGeometry().y, 100);
    EXPECT_EQ(note.getColour().a, 0);
    // The next frame finds the rise over.
    note.update(10, nullptr);
    EXPECT_TRUE(note.isIdle());
    // Reused from a new point.
    note.show(10, 20, "-25", nullptr);
    EXPECT_EQ(note.getGeometry().y, 20);
    EXPECT_EQ(note.getAlpha(), 255);
}

TEST(StackedItemGoalRendererTest, SettingsOutOfRangeAreKeptInsideTheGrid)
{
    TempFolder folder;
    const std::string path = folder.write("t.cfg", "StackedRenderer.Big.rows = 2\nStackedRenderer.Big.columns = 3\n"
                                                   "StackedRenderer.Big.renderedItems = 99\n"
                                                   "StackedRenderer.Zero.rows = 0\n"
                                                   "StackedRenderer.Zero.renderedItems = 0\nEndConfigFile\n");
    ConfigFile table(path);
    ConfigFile* before = gameParameters();
    setGameParameters(&table);
    StackedItemGoalRenderer big(nullptr, "Big");
    StackedItemGoalRenderer zero(nullptr, "Zero");
    setGameParameters(before);
    EXPECT_EQ(big.getRenderedItems(), 6);
    EXPECT_EQ(big.getSlots().size(), 6u);
    EXPECT_EQ(zero.lineCount() * zero.perLine(), 6);
    EXPECT_EQ(zero.getRenderedItems(), 6);
}
