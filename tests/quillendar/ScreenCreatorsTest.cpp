// The game's screen creators build the right screens from flow attributes,
// and the generated story files (GameFlow.xml, Quests.xml and the scene
// scripts) agree with one another.
#include "game/GameFlow.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "quillendar/ScreenCreators.h"

#include "engine/core/XmlFile.h"
#include "frontend/DialogScreen.h"
#include "frontend/DiaryScreen.h"
#include "frontend/MainMenu.h"
#include "minigames/MiniGameBase.h"
#include "scenes/QDScene.h"
#include "tests/anim/FakeAppContext.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const char* const MiniGames[] = {
    "MgCastingSpells", "MgCipherTiles",   "MgCypherWheel",      "MgFaceDrawing",      "MgImagePuzzle",
    "MgKlotsky",       "MgLabyrinth",     "MgMatchElements",    "MgMemoryMatch",      "MgRearrangeElements",
    "MgRectangleTileSum", "MgScrambledDial", "MgSecretNiche",   "MgShootingPractice", "MgSumTheNumbers",
    "MgTriangleCount", "MgWhackAMole",    "MgZodiacSigns",      "MgCollectArmour"};

class ScreenCreatorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QuestManager::destroyInstance();
        addScreenCreators(flow);
    }
    void TearDown() override { QuestManager::destroyInstance(); }

    std::unique_ptr<ScreenBase> make(const std::string& type, const ScreenAttributes& attributes)
    {
        return std::unique_ptr<ScreenBase>(flow.createScreen(type, attributes));
    }

    FakeAppContext app;
    GameFlow flow;
};

}  // namespace

TEST_F(ScreenCreatorsTest, EachMiniGameClassIsBuiltWithItsQuestId)
{
    for (const char* type : MiniGames) {
        auto screen = make(type, {{"type", type}, {"questId", "5"}});
        auto* game = dynamic_cast<MiniGameBase*>(screen.get());
        ASSERT_NE(game, nullptr) << type;
        // The class is the one the type names.
        EXPECT_NE(std::string(typeid(*game).name()).find(type), std::string::npos) << type;
        EXPECT_EQ(game->getQuestId(), 5) << type;
        EXPECT_EQ(make(type, {{"type", type}}), nullptr) << type << " without questId";
    }
}

TEST_F(ScreenCreatorsTest, SceneGetsItsFiveArgumentsInOrder)
{
    const ScreenAttributes a{{"type", "scene"},          {"sceneId", "7"},           {"configPath", "cfg/"},
                             {"itemRendererConf", "r"},  {"mechanicsConf", "m"},     {"itemGroupConf", "g"}};
    auto screen = make("scene", a);
    auto* scene = dynamic_cast<QDScene*>(screen.get());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->getSceneId(), 7);
    EXPECT_EQ(scene->getConfigPath(), "cfg/");
    EXPECT_EQ(scene->getItemRendererConf(), "r");
    EXPECT_EQ(scene->getMechanicsConf(), "m");
    EXPECT_EQ(scene->getItemGroupConf(), "g");

    ScreenAttributes partial = a;
    partial.erase("mechanicsConf");
    EXPECT_EQ(make("scene", partial), nullptr);
}

TEST_F(ScreenCreatorsTest, MenuDialogAndJournal)
{
    EXPECT_NE(dynamic_cast<MainMenu*>(make("mainmenu", {}).get()), nullptr);

    auto dialog = make("StoryDialog", {{"fileName", "d.xml"}, {"noPushOnLeave", "1"}});
    auto* d = dynamic_cast<DialogScreen*>(dialog.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->getScreenId(), -1);
    EXPECT_TRUE(d->isNoPushOnLeave());
    auto plain = make("StoryDialog", {{"fileName", "d.xml"}, {"noPushOnLeave", "true"}});
    ASSERT_NE(dynamic_cast<DialogScreen*>(plain.get()), nullptr);
    EXPECT_FALSE(dynamic_cast<DialogScreen*>(plain.get())->isNoPushOnLeave());
    EXPECT_EQ(make("StoryDialog", {{"noPushOnLeave", "1"}}), nullptr);

    auto diary = make("DiaryScreen", {{"openAtEntryId", "3"}, {"noPushOnLeave", "01"}});
    auto* j = dynamic_cast<DiaryScreen*>(diary.get());
    ASSERT_NE(j, nullptr);
    EXPECT_EQ(j->getOpenAtEntryId(), 3);
    EXPECT_TRUE(j->isNoPushOnLeave());
    auto bare = make("DiaryScreen", {{"noPushOnLeave", "true"}});
    ASSERT_NE(dynamic_cast<DiaryScreen*>(bare.get()), nullptr);
    // Without the attribute the journal opens at the current quest's entry
    // (entry 0 without quests).
    EXPECT_EQ(dynamic_cast<DiaryScreen*>(bare.get())->getOpenAtEntryId(), 0);
    EXPECT_FALSE(dynamic_cast<DiaryScreen*>(bare.get())->isNoPushOnLeave());

    EXPECT_EQ(make("Nope", {}), nullptr);
}

// ---------------------------------------------------------------------------
// The generated story (content/, written by tools/gen_content.py).

namespace {

// quest id -> scene id of the scene scripts' steps that carry it, with the
// step number; minigame steps also give their class.
struct ScriptStep {
    int scene;
    int step;
    std::string miniGame;
};

std::map<int, ScriptStep> readScripts(const GameFlow& flow)
{
    std::map<int, ScriptStep> steps;
    for (int position = 0; position < flow.entryCount(); ++position) {
        const GameFlowEntry* entry = flow.entryAt(position);
        if (entry->type != "scene")
            continue;
        const std::string path = entry->attributes.at("configPath") + entry->attributes.at("mechanicsConf");
        TiXmlDocument doc;
        EXPECT_TRUE(XmlFile::load(path, doc, "scene script")) << path;
        const TiXmlElement* root = doc.RootElement();
        if (!root)
            continue;
        int step = 0;
        for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement(), ++step) {
            const TiXmlElement* carrier = e->ValueStr() == "CollectGroup" ? e->FirstChildElement("Collect") : e;
            int quest = -1;
            if (carrier && carrier->QueryIntAttribute("questId", &quest) == TIXML_SUCCESS)
                steps[quest] = {position, step, e->ValueStr() == "Screen" ? e->Attribute("type") : ""};
        }
    }
    return steps;
}

}  // namespace

TEST(GeneratedStory, FlowQuestsAndScriptsAgree)
{
    FakeAppContext app;
    QuestManager::destroyInstance();
    GameFlow::destroyInstance();
    registerScreenCreators();
    GameFlow* flow = GameFlow::instance();
    QuestManager* quests = QuestManager::instance();
    ASSERT_TRUE(quests->load("content/config/Quests.xml"));
    ASSERT_EQ(quests->questCount(), 73);
    ASSERT_GE(flow->entryCount(), 26);

    // The first 26 flow positions are the scenes 0-25, and each can be built.
    for (int position = 0; position < 26; ++position) {
        flow->index = position;
        std::unique_ptr<ScreenBase> screen(flow->nextScreen(false));
        auto* scene = dynamic_cast<QDScene*>(screen.get());
        ASSERT_NE(scene, nullptr) << "position " << position;
        EXPECT_EQ(scene->getSceneId(), position);
    }

    // Each quest is played by the step of its location's script that its
    // stage names; the minigame steps are those the minigame menu jumps to.
    const std::map<int, ScriptStep> steps = readScripts(*flow);
    const std::map<int, std::string> miniGames{
        {2, "MgMemoryMatch"},   {4, "MgImagePuzzle"},  {7, "MgWhackAMole"},        {11, "MgScrambledDial"},
        {14, "MgRectangleTileSum"}, {17, "MgCipherTiles"}, {20, "MgScrambledDial"}, {23, "MgShootingPractice"},
        {25, "MgScrambledDial"}, {27, "MgMemoryMatch"}, {29, "MgCypherWheel"},     {32, "MgKlotsky"},
        {35, "MgFaceDrawing"},  {38, "MgSecretNiche"}, {41, "MgTriangleCount"},    {43, "MgLabyrinth"},
        {46, "MgZodiacSigns"},  {49, "MgCipherTiles"}, {52, "MgCastingSpells"},    {55, "MgScrambledDial"},
        {58, "MgCypherWheel"},  {61, "MgZodiacSigns"}, {66, "MgCollectArmour"},    {69, "MgSumTheNumbers"},
        {72, "MgLabyrinth"}};
    for (int id = 0; id < quests->questCount(); ++id) {
        const Quest& q = *quests->questAt(id);
        EXPECT_EQ(q.id, id);
        const auto it = steps.find(id);
        ASSERT_NE(it, steps.end()) << "no script step plays quest " << id;
        EXPECT_EQ(q.screenId, it->second.scene) << "quest " << id;
        EXPECT_EQ(q.stage, it->second.step) << "quest " << id;
        const auto game = miniGames.find(id);
        EXPECT_EQ(it->second.miniGame, game != miniGames.end() ? game->second : "") << "quest " << id;
    }
}

TEST(GeneratedStory, PlayingEveryQuestInOrderOpensTheNextOnes)
{
    QuestManager manager;
    ASSERT_TRUE(manager.load("content/config/Quests.xml"));
    manager.reset();
    const std::set<int> bonus{27, 41, 49};
    for (int id = 0; id < manager.questCount(); ++id) {
        ASSERT_TRUE(manager.questAt(id)->open) << "quest " << id << " is not open when its turn comes";
        EXPECT_EQ(manager.isMapReached(), id > 4) << "quest " << id;
        // A bonus minigame records a bonus instead of completing its quest;
        // nothing may depend on it.
        if (!bonus.count(id))
            manager.complete(id);
    }
    EXPECT_TRUE(manager.questAt(72)->done);
    EXPECT_TRUE(manager.openLocations().size() <= bonus.size());
}
