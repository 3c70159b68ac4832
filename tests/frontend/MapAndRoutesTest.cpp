// The map's locations file, the order of its markers and the story's
// thresholds and routes, without a window.
#include "frontend/MapLocationRecord.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/StoryRoutes.h"
#include "game/QuestManager.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(MapLocationRecord, MissingNumbersReadMinusOneAndPicturesGetFolderAndExtension)
{
    const std::vector<MapLocationRecord> records = MapLocationRecord::parse(
        "<Map><Location y=\"20\" dotX=\"30\" dotY=\"40\" imageNormal=\"A\" imageOver=\"B\"/>"
        "<Other/><Location x=\"1\" imageNormal=\"C\" imageOver=\"D\"/></Map>",
        "inline", ".jpg");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].x, -1);
    EXPECT_EQ(records[0].y, 20);
    EXPECT_EQ(records[0].dotX, 30);
    EXPECT_EQ(records[0].normalImage, "content/images/menus/map/A.jpg");
    EXPECT_EQ(records[0].overImage, "content/images/menus/map/B.jpg");
    EXPECT_EQ(records[1].x, 1);
    EXPECT_EQ(records[1].dotY, -1);
    EXPECT_TRUE(MapLocationRecord::parse("<Places/>", "inline", ".jpg").empty());
    EXPECT_TRUE(MapLocationRecord::read("/nonexistent/MapLocations.xml", ".jpg").empty());
}

// Text in memory ending in a UTF-8 lead byte made the parser step past the
// terminator and read on through the heap (found by the map locations fuzz
// target): it now goes through the same padded parse as files and fails
// with one line naming it.
TEST(MapLocationRecord, TextCutAfterAUtf8LeadByteGivesNoLocations)
{
    for (const char* lead : {"\xc3", "\xe1", "\xf0"}) {
        testing::internal::CaptureStdout();
        EXPECT_TRUE(MapLocationRecord::parse(std::string("<Map><Location x=\"1\"/>x") + lead, "cut", ".jpg").empty());
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("map locations: cannot parse \"cut\""), std::string::npos) << out;
    }
}

TEST(MapOfKingdom, MarkersFollowTheOpenLocationsAscendingAndSkipThoseWithoutARecord)
{
    TempFolder folder;
    QuestManager quests;
    // Quests 1, 2 and 3 on locations 5, 2 and 5, all open.
    ASSERT_TRUE(quests.load(folder.write(
        "Quests.xml", "<GamePlay><Quest id=\"0\" screenId=\"0\" stage=\"0\" opens=\"1,2,3\" needs=\"-1\"/>"
                      "<Quest id=\"1\" screenId=\"5\" stage=\"0\" opens=\"\" needs=\"0\"/>"
                      "<Quest id=\"2\" screenId=\"2\" stage=\"0\" opens=\"\" needs=\"0\"/>"
                      "<Quest id=\"3\" screenId=\"5\" stage=\"1\" opens=\"\" needs=\"0\"/></GamePlay>")));
    quests.reset();
    quests.complete(0);
    EXPECT_EQ(MapOfKingdom::markerOrder(quests.openLocations(), 26), (std::vector<int>{2, 5}));
    EXPECT_EQ(MapOfKingdom::markerOrder(quests.openLocations(), 4), std::vector<int>{2});
    EXPECT_EQ(MapOfKingdom::markerOrder({-1, 3}, 26), std::vector<int>{3});
}

TEST(StoryRoutes, ChaptersAndTheWaysOnAfterPrologueAndJournal)
{
    const std::vector<std::pair<int, int>> chapters = {{-1, 1}, {0, 1}, {13, 1}, {14, 2}, {28, 2},
                                                       {29, 3}, {43, 4}, {54, 4}, {55, 5}, {72, 5}};
    for (const auto& [quest, chapter] : chapters)
        EXPECT_EQ(StoryRoutes::chapterForQuest(quest), chapter) << "quest " << quest;

    using Next = StoryRoutes::Next;
    EXPECT_EQ(StoryRoutes::afterPrologue(-1), Next::ChapterTransition);
    EXPECT_EQ(StoryRoutes::afterPrologue(0), Next::ChapterTransition);
    EXPECT_EQ(StoryRoutes::afterPrologue(5), Next::FlowCurrent);

    struct Case {
        int quest;
        bool returnToCaller, noPush, offer;
        Next next;
    };
    const Case journal[] = {
        {5, true, false, false, Next::Stay},          // from the map
        {20, false, true, true, Next::Stay},          // a flow entry over a scene
        {0, false, false, true, Next::FlowNext},      // a flow entry
        {0, false, false, false, Next::FlowCurrent},  // after a chapter transition
        {-1, false, false, false, Next::FlowCurrent},
        {14, false, false, true, Next::ChapterTransition},
        {14, false, false, false, Next::Map},
        {30, false, false, true, Next::Map},
    };
    for (const Case& c : journal)
        EXPECT_EQ(StoryRoutes::afterJournal(c.quest, c.returnToCaller, c.noPush, c.offer), c.next)
            << "quest " << c.quest << " return " << c.returnToCaller << " noPush " << c.noPush << " offer " << c.offer;
}
