// The game scene's steps over damaged items, on the running game: a collect
// step whose every item picture is missing has nothing to ask for and is
// passed over, yet it takes its quest like any step, so that the next step
// completes it and the quests it opens open (quest 15 opens 16, 16 opens 17,
// 17 needs 16).
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "tests/scenes/QDSceneTestFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class QDSceneStepsTest : public QDSceneTest {
protected:
    // A fearless profile at quest 15 (every quest before it done), then the
    // scene of the items and steps, entered.
    QDScene* showAtQuest15(const std::vector<Item>& items, const std::string& steps)
    {
        return show(1, items, steps, "GreyBackground.png", [] {
            QuestManager* quests = QuestManager::instance();
            for (int q = 0; q < 15; ++q)
                quests->complete(q);
            quests->setCurrent(15);
        });
    }
    static bool done(int quest) { return QuestManager::instance()->questAt(quest)->done; }
};

// Items 1 and 2 have no picture (typeId 5); item 3 can be found (typeId 0).
const std::vector<Item> TwoGoneOneFound = {
    {"Gone.png", 100, 100, 5, "GoneA"}, {"Missing.png", 300, 100, 5, "GoneB"}, {"RedBlock.png", 500, 100, 0, ""}};

} // namespace

TEST_F(QDSceneStepsTest, StepsWithNothingToFindAtTheStartStillTakeAndCompleteTheirQuests)
{
    // The first two steps are passed over while the scene is being built.
    QDScene* scene = showAtQuest15(TwoGoneOneFound, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "5", 15)) +
                                                        collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "5", 16)) +
                                                        collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0", 17)));
    ASSERT_EQ(game->app()->topScreen(), scene);
    EXPECT_EQ(scene->getState(), ScreenBase::Idle);
    EXPECT_EQ(scene->getStepIndex(), 2);
    EXPECT_EQ(scene->getStepQuestId(), 17);
    EXPECT_EQ(QuestManager::instance()->currentId(), 17);
    EXPECT_TRUE(done(15));
    EXPECT_TRUE(done(16));
    EXPECT_FALSE(done(17));
    EXPECT_EQ(groupOf(3), 2);
    ASSERT_TRUE(clickItem(scene, 3));
    waitMs(1500);
    EXPECT_TRUE(done(17));
    EXPECT_TRUE(QuestManager::instance()->questAt(18)->open);
    EXPECT_TRUE(QuestManager::instance()->questAt(21)->open);
}

TEST_F(QDSceneStepsTest, AStepWithNothingToFindInTheMiddleTakesAndCompletesItsQuest)
{
    const std::vector<Item> items = {{"RedBlock.png", 100, 100, 0, ""},
                                     {"Gone.png", 300, 100, 5, "Gone"},
                                     {"GreenRing.png", 500, 100, 6, ""}};
    QDScene* scene = showAtQuest15(items, collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "0", 15)) +
                                              collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "5", 16)) +
                                              collect("STACKED_ITEM_LIST", rule("STACK_CFG_MAIN", "6", 17)));
    ASSERT_EQ(scene->getStepQuestId(), 15);
    ASSERT_TRUE(clickItem(scene, 1));
    waitMs(1500);
    // Step 1 had nothing to find: step 2 wants the ring, under quest 17.
    ASSERT_EQ(game->app()->topScreen(), scene);
    EXPECT_EQ(scene->getState(), ScreenBase::Idle);
    EXPECT_EQ(scene->getStepIndex(), 2);
    EXPECT_EQ(scene->getStepQuestId(), 17);
    EXPECT_TRUE(done(15));
    EXPECT_TRUE(done(16));
    EXPECT_EQ(groupOf(3), 2);
}
