#pragma once
// The game scene on the running game (GameDriver) over a scene of flat test
// pictures written for each test: items, their rule files and steps.
#include "engine/app/GameApp.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"
#include "scenes/ItemRendererFactory.h"
#include "scenes/QDScene.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/SceneDriverSupport.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

inline constexpr int SceneId = 91;

struct Item {
    std::string image;
    int x, y, typeId;
    std::string name;
    // Group ids, layer (a light's z) and the colour's alpha (a light's
    // ambient share).
    int major = 0, minor = 0, layer = 1, alpha = 255;
};

inline std::string itemXml(const Item& it)
{
    return "<Item name='" + (it.name.empty() ? it.image : it.name) + "' image='" + it.image +
           "' layer='" + std::to_string(it.layer) +
           "' majorGroupID='" + std::to_string(it.major) + "' minorGroupID='" + std::to_string(it.minor) + "' x='" +
           std::to_string(it.x) + "' y='" + std::to_string(it.y) + "' angle='0' R='255' G='255' B='255' A='" +
           std::to_string(it.alpha) + "' type='0' infoTip='t' typeId='" + std::to_string(it.typeId) + "'/>";
}

inline std::string collect(const std::string& identifier, const std::string& rules)
{
    return "<CollectGroup identifier='" + identifier + "'>" + rules + "</CollectGroup>";
}

inline std::string rule(const std::string& name, const std::string& typeIds, int questId = 0)
{
    return "<Collect name='" + name + "' typeId='" + typeIds + "' pick='all' questId='" + std::to_string(questId) +
           "'/>";
}

class QDSceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GameDriver::resetServices();
        ::setenv("APPDATA", appData.path().c_str(), 1);
        game = std::make_unique<GameDriver>(driver);
        addGameDriverProbes(*game);
        std::string error;
        ASSERT_TRUE(game->startGame(error)) << error;
        while (game->app()->topScreen())
            game->app()->popScreen();
        for (const char* picture : {"GreyBackground.png", "RedBlock.png", "GreenRing.png", "BlueDisc.png"})
            std::filesystem::copy_file(fixture(std::string("scene/") + picture), files.path(picture));
        files.write("G.xml", "<ItemGroupRules><Rule groupId='6' typeId='500' type='0'/>" + groupRules() +
                                 "</ItemGroupRules>");
        files.write("R.xml", "<ItemRendererRules><Rule renderer='0'/></ItemRendererRules>");
    }
    void TearDown() override
    {
        game.reset();
        GameDriver::resetServices();
        ItemRendererFactory::destroyInstance();
    }
    static std::string groupRules()
    {
        std::string out;
        for (int typeId : {0, 5, 6, 99, 100, 150, 199, 200, 213, 667})
            out += "<Rule groupId='1' typeId='" + std::to_string(typeId) + "' type='0'/>";
        return out;
    }

    // A profile in the mode (then `prepare`, e.g. to set its quests), then
    // the scene of the items (after the background, index 0) and the steps,
    // entered.
    QDScene* show(int mode, const std::vector<Item>& items, const std::string& steps,
                  const std::string& background = "GreyBackground.png",
                  const std::function<void()>& prepare = {})
    {
        EXPECT_EQ(game->newProfile("P" + std::to_string(++profiles), mode), "");
        if (prepare)
            prepare();
        std::string xml = "<Scene>" + itemXml(Item{background, 0, 0, 500, "Background"});
        for (const Item& it : items)
            xml += itemXml(it);
        files.write("Scene.xml", xml + "</Scene>");
        files.write("M.xml", "<SceneMechanics>" + steps + "</SceneMechanics>");
        auto* scene = new QDScene(SceneId, files.path() + "/", "R.xml", "M.xml", "G.xml");
        // The scene reloads the game's index when it is made.
        SceneIndex::instance()->entries()[SceneId] = SceneIndexEntry{SceneId, "Scene.xml", files.path() + "/"};
        game->app()->showScreen(scene);
        waitMs(600);
        return scene;
    }
    void waitMs(int ms) { driver.step(ms / 10); }
    ItemState* itemAt(int index) const
    {
        ItemRegistry* registry = ItemRegistry::instance();
        for (int group : registry->groupIds())
            if (ItemState* s = registry->find(group, ItemKey{index, SceneId}))
                return s;
        return nullptr;
    }
    int groupOf(int index) const { return ItemRegistry::instance()->groupOf(ItemKey{index, SceneId}); }
    // A click where the item shows; false when it shows nowhere.
    bool clickItem(QDScene* scene, int index)
    {
        Point at;
        if (!visiblePointOf(*scene, itemAt(index), at))
            return false;
        driver.click(at.x, at.y);
        driver.step(2);
        return true;
    }
    void clickBackground()
    {
        driver.click(900, 600);
        driver.step(2);
    }

    TempFolder appData;
    TempFolder files;
    HeadlessDriver driver;  // before the game: its clock reads the driver
    std::unique_ptr<GameDriver> game;
    int profiles = 0;
};

inline const std::vector<Item> EveryKind = {
    {"RedBlock.png", 100, 100, 0, ""},    {"GreenRing.png", 300, 100, 100, ""}, {"BlueDisc.png", 500, 100, 200, ""},
    {"RedBlock.png", 100, 300, 213, ""},  {"GreenRing.png", 300, 300, 667, ""}, {"BlueDisc.png", 500, 300, 0, ""},
};
