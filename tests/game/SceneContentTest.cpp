// The generated scene content as the game reads it: the scene index, each
// flow scene's item file and rule files, and a whole registry of them saved
// to blobs and restored.
#include "game/ItemRegistry.h"
#include "game/ItemRendererRule.h"
#include "game/ItemState.h"
#include "game/SceneFiles.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"

#include "engine/gfx/SDLSurfaceImage.h"
#include "engine/store/AppConfig.h"
#include "game/GameFlow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

struct FlowScene {
    int id;
    std::string configPath;
    std::string groupRules;
    std::string rendererRules;
};

class SceneContentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ItemRegistry::destroyInstance();
        SceneIndex::destroyInstance();
        ASSERT_TRUE(loadSceneIndex("content/config/scene/sceneIndex.xml"));
        GameFlow flow;
        ASSERT_TRUE(flow.load("content/config/GameFlow.xml"));
        for (int i = 0; i < flow.entryCount(); ++i) {
            const GameFlowEntry* e = flow.entryAt(i);
            if (e->type != "scene")
                continue;
            const std::string path = e->attributes.at("configPath");
            scenes.push_back(FlowScene{std::stoi(e->attributes.at("sceneId")), path,
                                       path + e->attributes.at("itemGroupConf"),
                                       path + e->attributes.at("itemRendererConf")});
        }
    }
    void TearDown() override
    {
        ItemRegistry::destroyInstance();
        SceneIndex::destroyInstance();
        AppConfig::destroyInstance();
    }

    std::vector<FlowScene> scenes;
};

TEST_F(SceneContentTest, EveryFlowSceneHasAnIndexedItemFileInItsFolder)
{
    ASSERT_TRUE(AppConfig::getInstance().readConfig("content/config/config.xml"));
    const std::string fileName = sceneItemFileName(AppConfig::getInstance().getLanguage());
    ASSERT_GE(scenes.size(), 2u);
    for (const FlowScene& s : scenes) {
        const SceneIndexEntry entry = SceneIndex::instance()->entryOf(s.id);
        EXPECT_EQ(entry.id, s.id);
        EXPECT_EQ(entry.path, s.configPath) << "scene " << s.id;
        ASSERT_FALSE(entry.path.empty());
        EXPECT_EQ(entry.path.back(), '/');
        EXPECT_EQ(entry.fileName, fileName);
    }
}

TEST_F(SceneContentTest, ItemsAreCompleteOnScreenAndDrawnByARule)
{
    for (const FlowScene& s : scenes) {
        SCOPED_TRACE("scene " + std::to_string(s.id));
        const auto items = loadSceneItems(s.id);
        ASSERT_GE(items.size(), 10u);
        std::vector<ItemRendererRule> renderers;
        loadItemRendererRules(s.rendererRules, renderers);
        ASSERT_FALSE(renderers.empty());
        std::multiset<int> kinds;
        std::set<std::string> names;
        // The scene's own items end with the background; the effect items
        // of the showcase scene follow it and only need their pictures.
        size_t own = 0;
        while (own < items.size() && items[own++]->typeId != 500) {
        }
        for (size_t k = own; k < items.size(); ++k)
            EXPECT_TRUE(std::ifstream(items[k]->folder + items[k]->image).good()) << items[k]->image;
        for (size_t k = 0; k < own; ++k) {
            const auto& it = items[k];
            kinds.insert(it->typeId);
            EXPECT_TRUE(names.insert(it->name).second) << "repeated " << it->name;
            EXPECT_FALSE(it->infoTip.empty());
            EXPECT_EQ(it->A, 255);
            EXPECT_TRUE(it->x >= 0 && it->y >= 0 && it->x + 96 < 1024 && it->y + 96 < 768) << it->name;
            EXPECT_TRUE(std::ifstream(it->folder + it->image).good()) << it->folder + it->image;
        }
        EXPECT_EQ(kinds.count(100), 1u);
        EXPECT_EQ(kinds.count(200), 1u);
        EXPECT_EQ(kinds.count(500), 1u);
        EXPECT_EQ(kinds.count(0), own - 3);
        // The last rule catches every item.
        EXPECT_EQ(renderers.back().pattern.typeId, -1);
        EXPECT_EQ(renderers.back().pattern.groupId, -1);
    }
}

TEST_F(SceneContentTest, ItemPicturesAreMaskedAndItemsOverlapOnOneLayer)
{
    for (const FlowScene& s : scenes) {
        SCOPED_TRACE("scene " + std::to_string(s.id));
        const auto items = loadSceneItems(s.id);
        std::vector<WidgetGeometry> boxes;
        for (const auto& it : items) {
            SDLSurfaceImage picture(it->folder + it->image);
            ASSERT_GT(picture.getWidth(), 0) << it->image;
            boxes.emplace_back(static_cast<int>(it->x), static_cast<int>(it->y), it->layer, picture.getWidth(),
                               picture.getHeight());
            if (it->typeId == 500) {
                EXPECT_EQ(picture.getWidth(), 1024);
                EXPECT_EQ(it->layer, 0);
                continue;
            }
            // Transparent corners, an opaque shape inside.
            const int w = picture.getWidth(), h = picture.getHeight();
            EXPECT_TRUE(picture.isTransparentAt(0, 0) && picture.isTransparentAt(w - 1, h - 1)) << it->image;
            int opaque = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    opaque += picture.isTransparentAt(x, y) ? 0 : 1;
            EXPECT_GT(opaque, w * h / 4) << it->image;
        }
        // Some later item lies across an earlier one on the same layer.
        int overlaps = 0;
        for (size_t a = 0; a < items.size(); ++a)
            for (size_t b = a + 1; b < items.size(); ++b) {
                const WidgetGeometry& p = boxes[a];
                const WidgetGeometry& q = boxes[b];
                if (p.z == q.z && items[a]->typeId == 0 && items[b]->typeId == 0 && p.x < q.x + q.w &&
                    q.x < p.x + p.w && p.y < q.y + q.h && q.y < p.y + p.h)
                    ++overlaps;
            }
        EXPECT_GE(overlaps, 1);
    }
}

TEST_F(SceneContentTest, AllScenesRegisterAsWaitingAndSurviveABlobRoundTrip)
{
    ItemRegistry* reg = ItemRegistry::instance();
    std::size_t total = 0;
    std::size_t decorations = 0;
    for (const FlowScene& s : scenes) {
        const int added = reg->registerScene(s.id, s.groupRules);
        EXPECT_EQ(static_cast<std::size_t>(added), loadSceneItems(s.id).size()) << "scene " << s.id;
        total += static_cast<std::size_t>(added);
        const ItemGroupRules rules = loadItemGroupRules(s.groupRules);
        for (const auto& it : loadSceneItems(s.id))
            decorations += it->typeId >= 600 && rules.groupOf(it.get()) == 6 ? 1 : 0;
    }
    // One background per scene and the decorations in group 6, every other
    // item (a key item among the decorations' typeIds too) waiting.
    EXPECT_EQ(reg->groupIds(), (std::vector<int32_t>{1, 6}));
    ASSERT_GT(decorations, 0u);
    ASSERT_EQ(reg->group(6).size(), scenes.size() + decorations);
    ASSERT_EQ(reg->group(1).size(), total - scenes.size() - decorations);

    // Play a little: the first scene's first two items found or taken away.
    reg->moveItem(1, ItemKey{0, scenes[0].id}, 0);
    reg->moveItem(1, ItemKey{1, scenes[0].id}, 3);
    std::vector<std::pair<int32_t, std::string>> before;
    std::vector<std::vector<uint8_t>> blobs;
    for (int32_t g : reg->groupIds()) {
        blobs.push_back(reg->saveGroup(g));
        for (const ItemState* st : reg->itemsOfGroup(g, -1))
            before.emplace_back(g, st->item->name);
    }
    reg->clear();
    for (const auto& b : blobs)
        ASSERT_EQ(reg->loadGroup(b.data(), b.size()), b.size());
    reg->relinkSceneItems();
    std::vector<std::pair<int32_t, std::string>> after;
    for (int32_t g : reg->groupIds())
        for (const ItemState* st : reg->itemsOfGroup(g, -1)) {
            ASSERT_NE(st->item, nullptr);
            after.emplace_back(g, st->item->name);
        }
    EXPECT_EQ(after, before);
    // Entering the first scene again adds nothing.
    EXPECT_EQ(reg->registerScene(scenes[0].id, scenes[0].groupRules), 0);
}

} // namespace
