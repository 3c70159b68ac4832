// The quest graph: reading Quests.xml, the opening rules, the current quest,
// the location queries and the saved quest state.
#include "game/Quest.h"
#include "game/QuestManager.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string quest(int id, int screen, int stage, const std::string& opens, const std::string& needs,
                  const char* emptyContainer = "false", const char* correct = "true")
{
    return "<Quest id=\"" + std::to_string(id) + "\" screenId=\"" + std::to_string(screen) + "\" stage=\"" +
           std::to_string(stage) + "\" opens=\"" + opens + "\" needs=\"" + needs + "\" emptyContainer=\"" +
           emptyContainer + "\" correctLocationStage=\"" + correct + "\"/>\n";
}

std::string gamePlay(const std::string& quests)
{
    return "<GamePlay>\n" + quests + "</GamePlay>\n";
}

class QuestManagerTest : public ::testing::Test {
protected:
    // Loads the quests and starts a new game on them.
    void load(const std::string& quests)
    {
        ASSERT_TRUE(manager.load(folder.write("Quests.xml", gamePlay(quests))));
        manager.reset();
    }
    // `count` quests on screens 0, 1, 2, ...; quest i opens i + 1.
    void loadChain(int count)
    {
        std::string q;
        for (int i = 0; i < count; ++i)
            q += quest(i, i, 0, i + 1 < count ? std::to_string(i + 1) : "", "-1");
        load(q);
    }
    bool isOpen(int i) const { return manager.questAt(i)->open; }
    bool isDone(int i) const { return manager.questAt(i)->done; }

    TempFolder folder;
    QuestManager manager;
};

}  // namespace

TEST_F(QuestManagerTest, ReadsEveryFieldOfAQuest)
{
    ASSERT_TRUE(manager.load(folder.write("Quests.xml", gamePlay(
        quest(0, 7, 2, "1,,2", "", "true", "false") +
        quest(1, 3, 0, "", "-1") +
        "<Quest id=\"2\"/>\n"))));
    ASSERT_EQ(manager.questCount(), 3);
    const Quest& a = *manager.questAt(0);
    EXPECT_EQ(a.id, 0);
    EXPECT_EQ(a.screenId, 7);
    EXPECT_EQ(a.stage, 2);
    EXPECT_EQ(a.opens, (std::vector<int>{1, 2}));
    EXPECT_TRUE(a.needs.empty());
    EXPECT_TRUE(a.emptyContainer);
    EXPECT_FALSE(a.correctLocationStage);
    EXPECT_FALSE(a.open || a.done || a.entered);

    EXPECT_EQ(manager.questAt(1)->needs, std::vector<int>{-1});
    EXPECT_FALSE(manager.questAt(1)->emptyContainer);
    EXPECT_TRUE(manager.questAt(1)->correctLocationStage);

    const Quest& bare = *manager.questAt(2);
    EXPECT_EQ(bare.screenId, -1);
    EXPECT_EQ(bare.stage, -1);
    EXPECT_TRUE(bare.correctLocationStage);
    EXPECT_EQ(manager.getCurrent(), manager.questAt(0));
}

TEST_F(QuestManagerTest, MissingOrWrongFilesAddNothing)
{
    EXPECT_FALSE(manager.load(folder.missing("Quests.xml")));
    EXPECT_FALSE(manager.load(folder.write("Wrong.xml", "<Quests>" + quest(0, 0, 0, "", "") + "</Quests>")));
    EXPECT_EQ(manager.questCount(), 0);
    EXPECT_EQ(manager.getCurrent(), nullptr);
    manager.reset();
    EXPECT_EQ(manager.getCurrent(), nullptr);
}

TEST_F(QuestManagerTest, AQuestOpensOnlyWhenEverythingItNeedsIsDone)
{
    // A opens B, B needs A and C, C opens B.
    load(quest(0, 0, 0, "1", "") + quest(1, 1, 0, "", "0,2") + quest(2, 2, 0, "1", ""));
    EXPECT_TRUE(isOpen(0));
    manager.complete(0);
    EXPECT_TRUE(isDone(0));
    EXPECT_FALSE(isOpen(1));
    manager.complete(2);
    EXPECT_TRUE(isOpen(1));
    EXPECT_EQ(manager.getCurrent(), manager.questAt(0)) << "complete does not move the current quest";
}

TEST_F(QuestManagerTest, ReevaluatingCanCloseAnOpenQuest)
{
    load(quest(0, 0, 0, "1", "") + quest(1, 1, 0, "", "2") + quest(2, 2, 0, "", ""));
    manager.questAt(1)->open = true;
    manager.complete(0);
    EXPECT_FALSE(isOpen(1));
}

TEST_F(QuestManagerTest, MinusOneInNeedsMeansNothing)
{
    load(quest(0, 0, 0, "1", "") + quest(1, 1, 0, "", "-1"));
    manager.complete(0);
    EXPECT_TRUE(isOpen(1));
}

TEST_F(QuestManagerTest, PositionsThatNameNoQuestAreIgnored)
{
    // Opens 9 and -3 and needs 7 and -5 name no quest.
    load(quest(0, 0, 0, "9,-3,1", "") + quest(1, 1, 0, "", "7,-5,0"));
    manager.complete(0);
    EXPECT_TRUE(isOpen(1));
    manager.complete(2);
    manager.complete(-1);
    EXPECT_FALSE(isDone(1));
    manager.setCurrent(5);
    manager.setCurrent(-1);
    EXPECT_EQ(manager.currentId(), 0);
}

TEST_F(QuestManagerTest, CompleteCurrentMovesToTheFirstQuestNotDone)
{
    loadChain(3);
    manager.questAt(1)->done = true;
    manager.completeCurrent();
    EXPECT_TRUE(isDone(0));
    EXPECT_EQ(manager.currentId(), 2);
    EXPECT_FALSE(isOpen(2)) << "completeCurrent opens nothing";
    manager.completeCurrent();
    EXPECT_TRUE(isDone(2));
    EXPECT_EQ(manager.currentId(), 2) << "the last quest stays current";
}

TEST_F(QuestManagerTest, CompleteByScreenCompletesEveryQuestOfTheLocation)
{
    // Quest 2 needs quest 1, which is completed after quest 0.
    load(quest(0, 5, 0, "2", "") + quest(1, 5, 0, "2", "") + quest(2, 1, 0, "", "1"));
    manager.completeByScreen(5);
    EXPECT_TRUE(isDone(0));
    EXPECT_TRUE(isDone(1));
    EXPECT_TRUE(isOpen(2));
}

TEST_F(QuestManagerTest, ResetStartsANewGame)
{
    loadChain(3);
    manager.complete(0);
    manager.questAt(2)->entered = true;
    manager.setCurrent(2);
    manager.reset();
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(isDone(i));
        EXPECT_EQ(isOpen(i), i == 0);
        EXPECT_FALSE(manager.questAt(i)->entered);
    }
    EXPECT_EQ(manager.currentId(), 0);
}

TEST_F(QuestManagerTest, LocationQueriesLookAtOpenQuestsNotDone)
{
    load(quest(0, 5, 3, "", "") + quest(1, 5, 4, "", "") + quest(2, 2, 6, "", "") + quest(3, 9, 1, "", ""));
    for (int i = 0; i < 3; ++i)
        manager.questAt(i)->open = true;
    manager.questAt(3)->open = true;
    manager.questAt(3)->done = true;
    EXPECT_EQ(manager.openLocations(), (std::vector<int>{2, 5}));
    EXPECT_EQ(manager.stageForScreen(5), 3);
    EXPECT_EQ(manager.indexForScreen(5), 0);
    manager.questAt(0)->done = true;
    EXPECT_EQ(manager.stageForScreen(5), 4);
    EXPECT_EQ(manager.indexForScreen(5), 1);
    EXPECT_EQ(manager.stageForScreen(2), 6);
    EXPECT_EQ(manager.indexForScreen(2), 2);
    EXPECT_EQ(manager.stageForScreen(9), 0);
    EXPECT_EQ(manager.indexForScreen(9), 0);
}

TEST_F(QuestManagerTest, MapIsReachedWithQuestFourDone)
{
    loadChain(4);
    for (int i = 0; i < 4; ++i)
        manager.complete(i);
    EXPECT_FALSE(manager.isMapReached()) << "four quests: there is no quest 4";

    QuestManager five;
    std::string q;
    for (int i = 0; i < 5; ++i)
        q += quest(i, i, 0, "", "");
    ASSERT_TRUE(five.load(folder.write("Five.xml", gamePlay(q))));
    EXPECT_FALSE(five.isMapReached());
    five.complete(4);
    EXPECT_TRUE(five.isMapReached());
}

TEST_F(QuestManagerTest, JournalEntryFollowsTheCurrentQuest)
{
    EXPECT_EQ(manager.journalEntryForCurrent(), 0) << "no current quest";
    loadChain(60);
    const int ids[] = {0, 13, 14, 28, 29, 42, 43, 54, 55, 59};
    const int entries[] = {0, 0, 2, 2, 3, 3, 5, 5, 6, 6};
    for (size_t i = 0; i < std::size(ids); ++i) {
        manager.setCurrent(ids[i]);
        EXPECT_EQ(manager.journalEntryForCurrent(), entries[i]) << "quest " << ids[i];
    }
}

TEST_F(QuestManagerTest, WithoutQuestsNothingBreaks)
{
    manager.completeCurrent();
    manager.complete(0);
    manager.completeByScreen(0);
    EXPECT_EQ(manager.currentId(), -1);
    EXPECT_FALSE(manager.isMapReached());
    EXPECT_TRUE(manager.openLocations().empty());
    EXPECT_EQ(manager.saveState(), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}));
}

// ---------------------------------------------------------------------------
// The saved quest state.

TEST_F(QuestManagerTest, StateOfANewGameIsSeventeenBytes)
{
    loadChain(3);
    const std::vector<uint8_t> blob = manager.saveState();
    const std::vector<uint8_t> expected{0, 0, 0, 0, 3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(blob, expected);

    manager.setCurrent(2);
    EXPECT_EQ(manager.loadState(blob.data(), blob.size()), 17u);
    EXPECT_EQ(manager.currentId(), 0);
}

TEST_F(QuestManagerTest, StateRoundTrips)
{
    loadChain(4);
    manager.complete(0);
    manager.complete(1);
    manager.questAt(3)->entered = true;
    manager.setCurrent(2);
    const std::vector<uint8_t> blob = manager.saveState();
    ASSERT_EQ(blob.size(), 8u + 3 * 4);
    EXPECT_EQ(blob[0], 2);

    QuestManager other;
    std::string q;
    for (int i = 0; i < 4; ++i)
        q += quest(i, i, 0, "", "");
    ASSERT_TRUE(other.load(folder.write("Other.xml", gamePlay(q))));
    EXPECT_EQ(other.loadState(blob.data(), blob.size()), blob.size());
    EXPECT_EQ(other.saveState(), blob);
    EXPECT_EQ(other.currentId(), 2);
}

TEST_F(QuestManagerTest, ACountBeyondTheListOrTheBlobIsBounded)
{
    loadChain(3);
    // Claims 200 quests, all done, with 200 entries present.
    std::vector<uint8_t> big{0, 0, 0, 0, 200, 0, 0, 0};
    big.resize(8 + 3 * 200, 1);
    EXPECT_EQ(manager.loadState(big.data(), big.size()), 17u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(isDone(i));

    // Claims 200 quests but holds only one.
    manager.reset();
    const std::vector<uint8_t> shortBlob{1, 0, 0, 0, 200, 0, 0, 0, 1, 1, 1};
    EXPECT_EQ(manager.loadState(shortBlob.data(), shortBlob.size()), 11u);
    EXPECT_TRUE(isDone(0));
    EXPECT_FALSE(isDone(1));
    EXPECT_EQ(manager.currentId(), 1);

    // A negative count applies nothing.
    const std::vector<uint8_t> negative{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 1, 1};
    EXPECT_EQ(manager.loadState(negative.data(), negative.size()), 8u);
}

TEST_F(QuestManagerTest, AStoredCurrentIdOutsideTheListKeepsTheCurrentQuest)
{
    loadChain(3);
    manager.setCurrent(1);
    const std::vector<uint8_t> far{9, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(manager.loadState(far.data(), far.size()), 8u);
    EXPECT_EQ(manager.currentId(), 1);
    const std::vector<uint8_t> negative{0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    manager.loadState(negative.data(), negative.size());
    EXPECT_EQ(manager.currentId(), 1);
}

TEST_F(QuestManagerTest, ABlobShorterThanItsHeadIsRejected)
{
    loadChain(3);
    manager.complete(0);
    const std::vector<uint8_t> head{2, 0, 0, 0, 3, 0, 0};
    EXPECT_EQ(manager.loadState(head.data(), head.size()), 0u);
    EXPECT_EQ(manager.loadState(nullptr, 17), 0u);
    EXPECT_TRUE(isDone(0));
    EXPECT_EQ(manager.currentId(), 0);
}

TEST(QuestManagerSingleton, IsCreatedOnFirstUseAndCanBeRenewed)
{
    QuestManager* manager = QuestManager::instance();
    EXPECT_EQ(QuestManager::instance(), manager);
    EXPECT_EQ(manager->questCount(), 0);
    QuestManager::destroyInstance();
    EXPECT_EQ(QuestManager::existingInstance(), nullptr);
}
