// The scene index, scene item files and the two rule files.
#include "game/ItemGroupRules.h"
#include "game/ItemRendererRule.h"
#include "game/SceneFiles.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const FullItem =
    "<Item name=\"Lamp\" image=\"lamp.png\" layer=\"3\" majorGroupID=\"4\" minorGroupID=\"5\""
    " x=\"12.5\" y=\"1.5e2\" angle=\"-30\" R=\"255\" G=\"128\" B=\"7\" A=\"200\" type=\"1\""
    " infoTip=\"LampTip\" typeId=\"100\"/>";

class SceneFilesTest : public ::testing::Test {
protected:
    void SetUp() override { SceneIndex::destroyInstance(); }
    void TearDown() override { SceneIndex::destroyInstance(); }

    // Points scene `id` of the global index at `file` in the temp folder.
    void indexScene(int id, const std::string& file)
    {
        SceneIndex::instance()->entries()[id] = SceneIndexEntry{id, file, dir.path() + "/"};
    }

    TempFolder dir;
};

TEST_F(SceneFilesTest, IndexKeepsFirstOfRepeatedIdsAndSkipsIncompleteEntries)
{
    const std::string path = dir.write("index.xml",
        "<Indexes>"
        "<Index id=\"2\" fileName=\"Scene.xml\" path=\"content/a/\"/>"
        "<Index id=\"2\" fileName=\"Scene.xml\" path=\"content/b/\"/>"
        "<Index id=\"3\" fileName=\"Scene.xml\"/>"
        "<Index id=\"7abc\" fileName=\"S.xml\" path=\"x/\"/>"
        "<Other id=\"9\" fileName=\"S.xml\" path=\"y/\"/>"
        "</Indexes>");
    SceneIndex index;
    ASSERT_TRUE(loadSceneIndex(path, index));
    ASSERT_EQ(index.entries().size(), 2u);
    EXPECT_EQ(index.entryOf(2).path, "content/a/");
    EXPECT_EQ(index.entryOf(2).itemFilePath(), "content/a/Scene.xml");
    EXPECT_EQ(index.entryOf(7).id, 7);
    // An unknown id answers the default entry and adds nothing.
    const SceneIndexEntry none = index.entryOf(3);
    EXPECT_EQ(none.id, -1);
    EXPECT_EQ(none.fileName, "");
    EXPECT_EQ(none.path, "");
    EXPECT_EQ(index.entries().size(), 2u);
}

TEST_F(SceneFilesTest, IndexWithoutItsRootOrFileKeepsWhatItHeld)
{
    SceneIndex index;
    ASSERT_TRUE(loadSceneIndex(dir.write("a.xml", "<Indexes><Index id=\"1\" fileName=\"f\" path=\"p/\"/></Indexes>"),
                               index));
    EXPECT_FALSE(loadSceneIndex(dir.write("b.xml", "<Scenes><Index id=\"5\" fileName=\"f\" path=\"q/\"/></Scenes>"),
                                index));
    EXPECT_FALSE(loadSceneIndex(dir.write("c.xml", "<Indexes><Index"), index));
    EXPECT_FALSE(loadSceneIndex(dir.missing("none.xml"), index));
    ASSERT_EQ(index.entries().size(), 1u);
    EXPECT_EQ(index.entryOf(1).path, "p/");
    // A good file replaces everything.
    ASSERT_TRUE(loadSceneIndex(dir.write("d.xml", "<Indexes><Index id=\"4\" fileName=\"f\" path=\"r/\"/></Indexes>"),
                               index));
    ASSERT_EQ(index.entries().size(), 1u);
    EXPECT_EQ(index.entryOf(4).path, "r/");
}

TEST_F(SceneFilesTest, ItemFileNameFollowsTheLanguage)
{
    EXPECT_EQ(sceneItemFileName("EN"), "Scene.xml");
    EXPECT_EQ(sceneItemFileName("DE"), "Scene_DE.xml");
    EXPECT_EQ(sceneItemFileName("en"), "Scene_en.xml");
}

TEST_F(SceneFilesTest, CompleteItemTakesEveryAttribute)
{
    dir.write("Scene.xml", std::string("<Scene>") + FullItem + "</Scene>");
    indexScene(5, "Scene.xml");
    const auto items = loadSceneItems(5);
    ASSERT_EQ(items.size(), 1u);
    const SceneItem& it = *items[0];
    EXPECT_EQ(it.name, "Lamp");
    EXPECT_EQ(it.image, "lamp.png");
    EXPECT_EQ(it.folder, dir.path() + "/");
    EXPECT_EQ(it.layer, 3);
    EXPECT_EQ(it.majorGroupID, 4);
    EXPECT_EQ(it.minorGroupID, 5);
    EXPECT_FLOAT_EQ(it.x, 12.5f);
    EXPECT_FLOAT_EQ(it.y, 150.0f);
    EXPECT_FLOAT_EQ(it.angle, -30.0f);
    EXPECT_EQ(it.R, 255);
    EXPECT_EQ(it.G, 128);
    EXPECT_EQ(it.B, 7);
    EXPECT_EQ(it.A, 200);
    EXPECT_EQ(it.type, 1);
    EXPECT_EQ(it.infoTip, "LampTip");
    EXPECT_EQ(it.typeId, 100);
}

// Item files are read byte for byte: 8-bit names and picture files survive a
// UTF-8 declaration (which would otherwise make the whole file unreadable).
TEST_F(SceneFilesTest, ItemFilesAreReadWithTheirBytesAsTheyStand)
{
    dir.write("Scene.xml", "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scene>"
                           "<Item name=\"Th\xe9i\xe8re\" image=\"th\xe9i&#232;re.png\" layer=\"1\" majorGroupID=\"0\""
                           " minorGroupID=\"0\" x=\"1\" y=\"2\" angle=\"0\" R=\"1\" G=\"1\" B=\"1\" A=\"255\""
                           " type=\"0\" infoTip=\"t\" typeId=\"3\"/>" +
                               std::string(FullItem) + "</Scene>");
    indexScene(2, "Scene.xml");
    const auto items = loadSceneItems(2);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->name, "Th\xe9i\xe8re");
    EXPECT_EQ(items[0]->image, "th\xe9i\xe8re.png");
    EXPECT_EQ(items[0]->typeId, 3);
    EXPECT_EQ(items[1]->name, "Lamp");
}

TEST_F(SceneFilesTest, IncompleteOrOddItemsKeepTheirPlaceAndDefaults)
{
    dir.write("Scene.xml",
        "<Scene>"
        "<Item name=\"NoType\" image=\"a.png\" layer=\"1\" majorGroupID=\"0\" minorGroupID=\"0\" x=\"1\" y=\"2\""
        " angle=\"0\" R=\"1\" G=\"1\" B=\"1\" A=\"255\" type=\"1\" infoTip=\"t\"/>"
        "<Note/>"
        "<Item image=\"b.png\"/>"
        "<Item name=\"Odd\" image=\"c.png\" layer=\"12abc\" majorGroupID=\"-4\" minorGroupID=\"z\" x=\"abc\""
        " y=\"7\" angle=\"\" R=\"300\" G=\"0\" B=\"0\" A=\"0\" type=\"0\" infoTip=\"\" typeId=\"200\"/>"
        "</Scene>");
    indexScene(1, "Scene.xml");
    const auto items = loadSceneItems(1);
    ASSERT_EQ(items.size(), 3u);
    // Missing typeId: only the name is taken.
    EXPECT_EQ(items[0]->name, "NoType");
    EXPECT_EQ(items[0]->image, "");
    EXPECT_EQ(items[0]->typeId, 0);
    EXPECT_EQ(items[0]->type, 0);
    EXPECT_EQ(items[0]->A, 0);
    EXPECT_FLOAT_EQ(items[0]->x, 0.0f);
    EXPECT_EQ(items[0]->folder, dir.path() + "/");
    // No name either: all defaults but the folder.
    EXPECT_EQ(items[1]->name, "");
    EXPECT_EQ(items[1]->image, "");
    // Numbers read as atoi and "%f" read them.
    EXPECT_EQ(items[2]->layer, 12);
    EXPECT_EQ(items[2]->majorGroupID, -4);
    EXPECT_EQ(items[2]->minorGroupID, 0);
    EXPECT_FLOAT_EQ(items[2]->x, 0.0f);
    EXPECT_FLOAT_EQ(items[2]->y, 7.0f);
    EXPECT_FLOAT_EQ(items[2]->angle, 0.0f);
    EXPECT_EQ(items[2]->R, 300);
    EXPECT_EQ(items[2]->typeId, 200);
}

// Positions far outside any scene and absurd layers are cut into range, one
// line each; a file of more items than a save can tell apart keeps the first
// ones, with one line.
TEST_F(SceneFilesTest, AbsurdPositionsLayersAndItemCountsAreBoundedAndLogged)
{
    const auto item = [](const std::string& name, const std::string& x, const std::string& y,
                         const std::string& layer) {
        return "<Item name=\"" + name + "\" image=\"a.png\" layer=\"" + layer +
               "\" majorGroupID=\"0\" minorGroupID=\"0\" x=\"" + x + "\" y=\"" + y +
               "\" angle=\"0\" R=\"1\" G=\"1\" B=\"1\" A=\"255\" type=\"0\" infoTip=\"t\" typeId=\"0\"/>";
    };
    dir.write("Scene.xml", "<Scene>" + item("Far", "-999999999", "3e38", "2147483647") +
                               item("Nan", "nan", "100000", "-1000000") + item("Wide", "2047.5", "-5", "7") +
                               "</Scene>");
    indexScene(1, "Scene.xml");
    testing::internal::CaptureStdout();
    auto items = loadSceneItems(1);
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_FLOAT_EQ(items[0]->x, -100000.0f);
    EXPECT_FLOAT_EQ(items[0]->y, 100000.0f);
    EXPECT_EQ(items[0]->layer, 1000000);
    EXPECT_FLOAT_EQ(items[1]->x, -100000.0f);
    EXPECT_FLOAT_EQ(items[1]->y, 100000.0f);
    EXPECT_EQ(items[1]->layer, -1000000);
    EXPECT_FLOAT_EQ(items[2]->x, 2047.5f);
    EXPECT_FLOAT_EQ(items[2]->y, -5.0f);
    EXPECT_NE(out.find("item 0 \"Far\" has x -999999999"), std::string::npos) << out;
    EXPECT_NE(out.find("item 0 \"Far\" has layer 2147483647"), std::string::npos) << out;
    EXPECT_NE(out.find("item 1 \"Nan\" has x"), std::string::npos) << out;
    EXPECT_EQ(out.find("Wide"), std::string::npos) << out;
    size_t lines = 0;
    for (char c : out)
        lines += c == '\n' ? 1 : 0;
    EXPECT_EQ(lines, 4u) << out;

    std::string many = "<Scene>";
    for (size_t i = 0; i < MaxSceneItems + 5; ++i)
        many += item("I" + std::to_string(i), "1", "2", "3");
    dir.write("Many.xml", many + "</Scene>");
    indexScene(2, "Many.xml");
    testing::internal::CaptureStdout();
    items = loadSceneItems(2);
    out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(items.size(), MaxSceneItems);
    EXPECT_EQ(items.back()->name, "I" + std::to_string(MaxSceneItems - 1));
    EXPECT_NE(out.find("Many.xml\" holds more than 256 items"), std::string::npos) << out;
}

TEST_F(SceneFilesTest, UnreadableItemFilesGiveNoItems)
{
    dir.write("Wrong.xml", std::string("<Items>") + FullItem + "</Items>");
    dir.write("Broken.xml", std::string("<Scene>") + FullItem);
    indexScene(1, "Wrong.xml");
    indexScene(2, "Broken.xml");
    indexScene(3, "Missing.xml");
    SceneIndex::instance()->entries()[4] = SceneIndexEntry{-1, "Scene.xml", dir.path() + "/"};
    dir.write("Scene.xml", std::string("<Scene>") + FullItem + "</Scene>");
    EXPECT_TRUE(loadSceneItems(1).empty());
    EXPECT_TRUE(loadSceneItems(2).empty());
    EXPECT_TRUE(loadSceneItems(3).empty());
    EXPECT_TRUE(loadSceneItems(4).empty()); // negative id in the entry
    EXPECT_TRUE(loadSceneItems(99).empty()); // not in the index
    EXPECT_EQ(SceneIndex::instance()->entries().count(99), 0u);
}

TEST_F(SceneFilesTest, GroupRulesKeepTypesZeroAndOneAndTheLastRule)
{
    const ItemGroupRules rules = loadItemGroupRules(dir.write("g.xml",
        "<ItemGroupRules>"
        "<Rule groupId=\"1\" typeId=\"0\" type=\"0\"/>"
        "<Rule groupId=\"2\" typeId=\"0\" type=\"0\"/>"
        "<Rule groupId=\"6\" typeId=\"100\" type=\"1\"/>"
        "<Rule groupId=\"4\" typeId=\"5\" type=\"2\"/>"
        "<Rule groupId=\"4\" typeId=\"5\" type=\"-1\"/>"
        "<Rule groupId=\"5\" typeId=\"8\"/>"
        "<Rule groupId=\"x\" typeId=\"9\" type=\"0\"/>"
        "</ItemGroupRules>"));
    ASSERT_EQ(rules.tables[0].size(), 2u);
    EXPECT_EQ(rules.tables[0].at(0), 2);
    EXPECT_EQ(rules.tables[0].at(9), 0); // non-numeric group reads as 0
    ASSERT_EQ(rules.tables[1].size(), 1u);

    SceneItem item;
    EXPECT_EQ(rules.groupOf(&item), 2);
    item.type = 1;
    EXPECT_EQ(rules.groupOf(&item), -1); // table 1 has no typeId 0
    item.typeId = 100;
    EXPECT_EQ(rules.groupOf(&item), 6);
    item.type = 2;
    EXPECT_EQ(rules.groupOf(&item), -1);
    item.type = -1;
    EXPECT_EQ(rules.groupOf(&item), -1);
    EXPECT_EQ(rules.groupOf(nullptr), -1);

    const ItemGroupRules wrongRoot =
        loadItemGroupRules(dir.write("w.xml", "<Rules><Rule groupId=\"1\" typeId=\"0\" type=\"0\"/></Rules>"));
    EXPECT_TRUE(wrongRoot.tables[0].empty());
}

TEST_F(SceneFilesTest, RendererRulesAppendInOrderWithMissingFieldsMatchingAnything)
{
    std::vector<ItemRendererRule> rules(1); // an earlier scene's rule stays first
    rules[0].rendererId = 42;
    loadItemRendererRules(dir.write("r.xml",
        "<ItemRendererRules>"
        "<Rule renderer=\"3\" groupId=\"2\" typeId=\"100\" type=\"0\"/>"
        "<Rule groupId=\"2\"/>"
        "<Rule renderer=\"1\"/>"
        "<Rule renderer=\"7\" typeId=\"200\"/>"
        "</ItemRendererRules>"), rules);
    ASSERT_EQ(rules.size(), 4u);
    const auto pattern = [](const ItemRendererRule& r) {
        return std::vector<int>{r.rendererId, r.pattern.groupId, r.pattern.typeId, r.pattern.type};
    };
    EXPECT_EQ(rules[0].rendererId, 42);
    EXPECT_EQ(pattern(rules[1]), (std::vector<int>{3, 2, 100, 0}));
    EXPECT_EQ(pattern(rules[2]), (std::vector<int>{1, -1, -1, -1}));
    EXPECT_EQ(pattern(rules[3]), (std::vector<int>{7, -1, 200, -1}));

    loadItemRendererRules(dir.write("bad.xml", "<ItemGroupRules><Rule renderer=\"1\"/></ItemGroupRules>"), rules);
    loadItemRendererRules(dir.missing("none.xml"), rules);
    EXPECT_EQ(rules.size(), 4u);
}

} // namespace
