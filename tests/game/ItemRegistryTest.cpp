// The global item registry: first-visit registration, groups and moves,
// removal, the item-group blobs and relinking item records after a load.
#include "game/ItemRegistry.h"
#include "game/ItemRenderer.h"
#include "game/ItemState.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts its own destruction, to show who deletes renderers.
class CountingRenderer : public ItemRenderer {
public:
    explicit CountingRenderer(int& deaths) : deaths(deaths) {}
    ~CountingRenderer() override { ++deaths; }

private:
    int& deaths;
};

std::string item(const std::string& name, int typeId, int type = 0)
{
    return "<Item name=\"" + name + "\" image=\"" + name + ".png\" layer=\"1\" majorGroupID=\"0\""
           " minorGroupID=\"0\" x=\"10\" y=\"20\" angle=\"0\" R=\"255\" G=\"255\" B=\"255\" A=\"255\""
           " type=\"" + std::to_string(type) + "\" infoTip=\"" + name + "\" typeId=\"" + std::to_string(typeId) + "\"/>";
}

std::vector<ItemKey> keysOf(const std::vector<ItemState*>& states)
{
    std::vector<ItemKey> keys;
    for (const ItemState* s : states)
        keys.push_back(s->key());
    return keys;
}

std::vector<ItemKey> keys(std::initializer_list<std::pair<int, int>> pairs)
{
    std::vector<ItemKey> out;
    for (const auto& p : pairs)
        out.push_back(ItemKey{p.first, p.second});
    return out;
}

class ItemRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ItemRegistry::destroyInstance();
        SceneIndex::destroyInstance();
        // Scene 3: a plain item, a key item, a rune and one no rule knows.
        dir.write("Scene3.xml", "<Scene>" + item("Cup", 0) + item("Key", 100) + item("Rune", 200) +
                                    item("Ghost", 55) + "</Scene>");
        dir.write("Scene4.xml", "<Scene>" + item("Bell", 0) + item("Book", 0, 1) + "</Scene>");
        rules = dir.write("Groups.xml",
            "<ItemGroupRules>"
            "<Rule groupId=\"1\" typeId=\"0\" type=\"0\"/>"
            "<Rule groupId=\"1\" typeId=\"100\" type=\"0\"/>"
            "<Rule groupId=\"1\" typeId=\"200\" type=\"0\"/>"
            "<Rule groupId=\"6\" typeId=\"0\" type=\"1\"/>"
            "</ItemGroupRules>");
        auto& index = SceneIndex::instance()->entries();
        index[3] = SceneIndexEntry{3, "Scene3.xml", dir.path() + "/"};
        index[4] = SceneIndexEntry{4, "Scene4.xml", dir.path() + "/"};
        reg = ItemRegistry::instance();
    }
    void TearDown() override
    {
        ItemRegistry::destroyInstance();
        SceneIndex::destroyInstance();
    }

    std::size_t totalItems()
    {
        std::size_t n = 0;
        for (int32_t g : reg->groupIds())
            n += reg->group(g).size();
        return n;
    }

    TempFolder dir;
    std::string rules;
    ItemRegistry* reg = nullptr;
};

TEST_F(ItemRegistryTest, FirstVisitPutsItemsInTheirRuleGroupsInFileOrder)
{
    EXPECT_EQ(reg->registerScene(3, rules), 4);
    EXPECT_EQ(keysOf(reg->itemsOfGroup(1, 3)), keys({{0, 3}, {1, 3}, {2, 3}}));
    EXPECT_EQ(keysOf(reg->itemsOfGroup(-1, -1)), keys({{3, 3}}));
    EXPECT_EQ(reg->groupIds(), (std::vector<int32_t>{-1, 1}));
    const ItemState* rune = reg->find(1, ItemKey{2, 3});
    ASSERT_NE(rune, nullptr);
    EXPECT_EQ(rune->stateId, 2);
    ASSERT_NE(rune->item, nullptr);
    EXPECT_EQ(rune->item->name, "Rune");
    EXPECT_EQ(rune->renderer, nullptr);
    // An item no rule matches answers -1 like an unknown key, yet is held.
    EXPECT_EQ(reg->groupOf(ItemKey{3, 3}), -1);
    EXPECT_TRUE(reg->contains(ItemKey{3, 3}));
    EXPECT_FALSE(reg->contains(ItemKey{9, 3}));

    EXPECT_EQ(reg->registerScene(4, rules), 2);
    EXPECT_EQ(reg->groupOf(ItemKey{1, 4}), 6); // type 1 uses table 1
    EXPECT_EQ(keysOf(reg->itemsOfGroup(1, -1)), keys({{0, 3}, {1, 3}, {2, 3}, {0, 4}}));
    EXPECT_EQ(keysOf(reg->itemsOfGroup(1, 4)), keys({{0, 4}}));
}

TEST_F(ItemRegistryTest, RevisitWithNoWaitingItemsLeftDoesNotDuplicate)
{
    reg->registerScene(3, rules);
    reg->moveItem(1, ItemKey{0, 3}, 3);
    reg->moveItem(1, ItemKey{2, 3}, 0);
    reg->moveItem(1, ItemKey{1, 3}, 2);
    reg->moveItem(2, ItemKey{1, 3}, 3);
    ASSERT_TRUE(reg->itemsOfGroup(1, 3).empty()); // the scene looks unvisited
    EXPECT_EQ(reg->registerScene(3, rules), 0);
    EXPECT_EQ(totalItems(), 4u);
    EXPECT_TRUE(reg->itemsOfGroup(1, 3).empty());
    EXPECT_EQ(keysOf(reg->itemsOfGroup(3, 3)), keys({{0, 3}, {1, 3}}));
    // A replayed scene whose groups 1, 3, 2 and 6 were emptied gets those
    // items back; its found rune stays found and single.
    reg->removeSceneItems(3, 3);
    EXPECT_EQ(reg->registerScene(3, rules), 2);
    EXPECT_EQ(totalItems(), 4u);
    EXPECT_EQ(reg->groupOf(ItemKey{2, 3}), 0);
    EXPECT_EQ(keysOf(reg->itemsOfGroup(1, 3)), keys({{0, 3}, {1, 3}}));
}

TEST_F(ItemRegistryTest, RegistrationGivesLoadedItemsTheirRecordsInsteadOfAddingThem)
{
    const std::vector<uint8_t> blob{1, 0, 0, 0, 3, 0, 0, 0, /*index*/ 1, /*scene*/ 3, /*state*/ 0xFF};
    ASSERT_EQ(reg->loadGroup(blob.data(), blob.size()), blob.size());
    EXPECT_EQ(reg->registerScene(3, rules), 3);
    EXPECT_EQ(totalItems(), 4u);
    const ItemState* key = reg->find(3, ItemKey{1, 3});
    ASSERT_NE(key, nullptr);
    ASSERT_NE(key->item, nullptr);
    EXPECT_EQ(key->item->name, "Key");
    EXPECT_EQ(key->stateId, -1);
}

TEST_F(ItemRegistryTest, SceneWithoutReadableFileRegistersNothing)
{
    EXPECT_EQ(reg->registerScene(42, rules), 0);
    SceneIndex::instance()->entries()[5] = SceneIndexEntry{5, "None.xml", dir.path() + "/"};
    EXPECT_EQ(reg->registerScene(5, rules), 0);
    EXPECT_TRUE(reg->groupIds().empty());
    // A missing rule file leaves every item unmatched.
    EXPECT_EQ(reg->registerScene(4, dir.missing("none.xml")), 2);
    EXPECT_EQ(reg->itemsOfGroup(-1, 4).size(), 2u);
}

TEST_F(ItemRegistryTest, MovesAppendAndIgnoreAbsentKeysAndSameGroup)
{
    reg->registerScene(3, rules);
    ItemState* cup = reg->find(1, ItemKey{0, 3});
    reg->moveItem(1, ItemKey{0, 3}, 2);
    reg->moveItem(1, ItemKey{2, 3}, 2);
    EXPECT_EQ(keysOf(reg->itemsOfGroup(2, 3)), keys({{0, 3}, {2, 3}}));
    EXPECT_EQ(keysOf(reg->itemsOfGroup(1, 3)), keys({{1, 3}}));
    EXPECT_EQ(reg->find(2, ItemKey{0, 3}), cup); // the same object moved
    EXPECT_EQ(reg->indexInGroup(2, ItemKey{2, 3}), 1);
    EXPECT_EQ(reg->indexInGroup(1, ItemKey{2, 3}), -1);

    reg->moveItem(1, ItemKey{0, 3}, 0); // not in group 1
    reg->moveItem(2, ItemKey{0, 3}, 2); // same group
    reg->moveItem(1, ItemKey{7, 9}, 2); // unknown key
    EXPECT_EQ(keysOf(reg->itemsOfGroup(2, 3)), keys({{0, 3}, {2, 3}}));
    EXPECT_EQ(reg->groupOf(ItemKey{7, 9}), -1);
    // Asking for a group creates it, empty.
    EXPECT_EQ(reg->find(5, ItemKey{0, 3}), nullptr);
    EXPECT_EQ(reg->groupIds(), (std::vector<int32_t>{-1, 1, 2, 5}));
}

TEST_F(ItemRegistryTest, RemovalDestroysItemsWithTheirRenderersAndKeepsTheRestInOrder)
{
    int deaths = 0;
    reg->registerScene(3, rules);
    reg->registerScene(4, rules);
    for (ItemState* s : reg->itemsOfGroup(1, -1))
        s->renderer = std::make_unique<CountingRenderer>(deaths);
    reg->moveItem(1, ItemKey{2, 3}, 0);
    reg->moveItem(1, ItemKey{0, 4}, 0);

    reg->removeFound(ItemKey{5, 5});
    reg->removeFound(ItemKey{1, 3}); // in group 1, not found
    EXPECT_EQ(deaths, 0);
    reg->removeFound(ItemKey{2, 3});
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(keysOf(reg->itemsOfGroup(0, -1)), keys({{0, 4}}));

    reg->moveItem(0, ItemKey{0, 4}, 1);
    reg->removeSceneItems(1, 3);
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(keysOf(reg->itemsOfGroup(1, -1)), keys({{0, 4}}));
    EXPECT_EQ(reg->itemsOfGroup(-1, 3).size(), 1u); // other groups untouched

    reg->clear();
    EXPECT_EQ(deaths, 4);
    EXPECT_TRUE(reg->groupIds().empty());
    EXPECT_EQ(reg->groupOf(ItemKey{1, 4}), -1);
}

TEST_F(ItemRegistryTest, GroupBlobLayoutIsLittleEndianThreeBytesPerItem)
{
    const std::vector<uint8_t> empty = reg->saveGroup(5);
    EXPECT_EQ(empty, (std::vector<uint8_t>{0, 0, 0, 0, 5, 0, 0, 0}));

    reg->registerScene(3, rules);
    reg->find(1, ItemKey{1, 3})->stateId = -2;
    EXPECT_EQ(reg->saveGroup(1), (std::vector<uint8_t>{3, 0, 0, 0, 1, 0, 0, 0, 0, 3, 0, 1, 3, 0xFE, 2, 3, 2}));
    EXPECT_EQ(reg->saveGroup(-1), (std::vector<uint8_t>{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 3, 3, 3}));
}

TEST_F(ItemRegistryTest, GroupBlobsRoundTripIndicesAndScenesUpTo255)
{
    // Built by hand: scene 200 is not in the index.
    const std::vector<uint8_t> blob{3, 0, 0, 0, 2, 0, 0, 0,
                                    200, 130, 0x80,
                                    255, 255, 0x7F,
                                    0, 128, 0xFF};
    ASSERT_EQ(reg->loadGroup(blob.data(), blob.size()), blob.size());
    const std::vector<ItemState*> got = reg->itemsOfGroup(2, -1);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0]->key(), (ItemKey{200, 130}));
    EXPECT_EQ(got[0]->stateId, -128);
    EXPECT_EQ(got[1]->key(), (ItemKey{255, 255}));
    EXPECT_EQ(got[1]->stateId, 127);
    EXPECT_EQ(got[2]->key(), (ItemKey{0, 128}));
    EXPECT_EQ(got[2]->stateId, -1);
    EXPECT_EQ(got[0]->item, nullptr);
    EXPECT_EQ(reg->saveGroup(2), blob);
}

TEST_F(ItemRegistryTest, MalformedBlobsAreRefusedWithoutTouchingTheRegistry)
{
    const std::vector<uint8_t> good{2, 0, 0, 0, 1, 0, 0, 0, 1, 3, 1, 2, 3, 2};
    // Every cut short of the whole blob.
    for (std::size_t len = 0; len < good.size(); ++len) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(len));
        EXPECT_EQ(reg->loadGroup(cut.data(), cut.size()), 0u) << "length " << len;
    }
    EXPECT_EQ(reg->loadGroup(nullptr, 100), 0u);
    const std::vector<uint8_t> huge{0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 1, 3, 1};
    EXPECT_EQ(reg->loadGroup(huge.data(), huge.size()), 0u);
    // 8 + 3n wraps to 1 in 32-bit arithmetic.
    const std::vector<uint8_t> overflow{0x53, 0x55, 0x55, 0x55, 1, 0, 0, 0};
    EXPECT_EQ(reg->loadGroup(overflow.data(), overflow.size()), 0u);
    EXPECT_TRUE(reg->groupIds().empty());

    // Trailing bytes are not the blob's: only 8 + 3n are consumed.
    std::vector<uint8_t> longer = good;
    longer.insert(longer.end(), {9, 9, 9, 9, 9});
    EXPECT_EQ(reg->loadGroup(longer.data(), longer.size()), good.size());
    EXPECT_EQ(reg->group(1).size(), 2u);
    // An empty group takes its 8 bytes and is kept.
    const std::vector<uint8_t> none{0, 0, 0, 0, 4, 0, 0, 0};
    EXPECT_EQ(reg->loadGroup(none.data(), none.size()), 8u);
    EXPECT_EQ(reg->groupIds(), (std::vector<int32_t>{1, 4}));
}

TEST_F(ItemRegistryTest, RelinkHandsEachRecordToOneItem)
{
    const std::vector<uint8_t> blob{5, 0, 0, 0, 1, 0, 0, 0,
                                    2, 3, 2,  // Rune
                                    0, 4, 0,  // Bell
                                    2, 3, 9,  // the Rune's slot again
                                    9, 3, 9,  // past the end of scene 3
                                    0, 77, 0}; // a scene the index lacks
    ASSERT_EQ(reg->loadGroup(blob.data(), blob.size()), blob.size());
    int deaths = 0;
    const std::vector<uint8_t> found{1, 0, 0, 0, 0, 0, 0, 0, 1, 3, 1};
    ASSERT_EQ(reg->loadGroup(found.data(), found.size()), found.size());
    reg->find(0, ItemKey{1, 3})->renderer = std::make_unique<CountingRenderer>(deaths);
    reg->relinkSceneItems();

    const std::vector<ItemState*> waiting = reg->itemsOfGroup(1, -1);
    ASSERT_EQ(waiting.size(), 5u);
    ASSERT_NE(waiting[0]->item, nullptr);
    EXPECT_EQ(waiting[0]->item->name, "Rune");
    EXPECT_EQ(waiting[0]->item->folder, dir.path() + "/");
    ASSERT_NE(waiting[1]->item, nullptr);
    EXPECT_EQ(waiting[1]->item->name, "Bell");
    EXPECT_EQ(waiting[2]->item, nullptr);
    EXPECT_EQ(waiting[3]->item, nullptr);
    EXPECT_EQ(waiting[4]->item, nullptr);
    // Group 0 comes first: its item got its record too.
    ASSERT_NE(reg->find(0, ItemKey{1, 3})->item, nullptr);
    EXPECT_EQ(reg->find(0, ItemKey{1, 3})->item->name, "Key");
    EXPECT_EQ(deaths, 0);

    // Linked items keep their records on a second pass.
    const SceneItem* rune = waiting[0]->item.get();
    reg->relinkSceneItems();
    EXPECT_EQ(waiting[0]->item.get(), rune);
}

} // namespace
