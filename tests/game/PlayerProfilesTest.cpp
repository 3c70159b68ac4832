// Player profiles and the high-score table: the exact bytes of the
// "PLAYER_PROFILES" record and of a profile blob, the list operations, the
// hand-over of the live game state (quests, item registry, flow position)
// when profiles are selected, saved and loaded, the score table's order and
// length, and records that are cut short or hostile.
#include "engine/core/Log.h"
#include "engine/store/FileSaveGame.h"
#include "engine/store/GenericEntry.h"
#include "game/GameFlow.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"
#include "tests/store/SaveTestSupport.h"
#include "tests/support/LargestAllocation.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A save store over a byte vector: what entries write is appended, reads
// take bytes from `pos` on.
class MemoryStore : public SaveGame {
public:
    MemoryStore() = default;
    explicit MemoryStore(Bytes data) : bytes(std::move(data)) {}

    bool save() override { return false; }
    bool load() override { return false; }
    bool write(const void* data, std::size_t count) override
    {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + count);
        return true;
    }
    bool read(void* data, std::size_t count) override
    {
        if (count > bytesLeft())
            return false;
        if (count > 0)
            std::memcpy(data, bytes.data() + pos, count);
        pos += count;
        return true;
    }
    std::size_t bytesLeft() const override { return bytes.size() - pos; }

    Bytes bytes;
    std::size_t pos = 0;
};

// Builds byte strings for hand-made records.
struct Builder {
    Builder& u8(uint8_t v)
    {
        out.push_back(v);
        return *this;
    }
    Builder& i32(int64_t v)
    {
        const uint32_t bits = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
        return *this;
    }
    Builder& text(const std::string& s)
    {
        out.insert(out.end(), s.begin(), s.end());
        return *this;
    }
    Builder& bytes(const Bytes& b)
    {
        out.insert(out.end(), b.begin(), b.end());
        return *this;
    }
    Builder& zeros(std::size_t n)
    {
        out.insert(out.end(), n, 0);
        return *this;
    }
    Bytes out;
};

Bytes fromHex(const std::string& hex)
{
    Bytes out;
    std::string digits;
    for (char c : hex)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

Bytes recordOf(PlayerProfiles& list)
{
    MemoryStore store;
    EXPECT_TRUE(list.save(store));
    return store.bytes;
}

// Loads the record; `left` receives the bytes the load did not consume.
bool loadRecord(PlayerProfiles& list, const Bytes& record, std::size_t* left = nullptr)
{
    MemoryStore store(record);
    const bool ok = list.load(store);
    if (left)
        *left = store.bytesLeft();
    return ok;
}

// Ten rows of the default table, as written.
Bytes defaultRows()
{
    Builder b;
    b.i32(10);
    for (int i = 0; i < 10; ++i)
        b.i32(6).text("-").u8(0).i32(0);
    return b.out;
}

QuestManager& quests()
{
    return *QuestManager::instance();
}
ItemRegistry& registry()
{
    return *ItemRegistry::instance();
}

// Every game-wide service the profiles reach starts afresh in each test.
class ProfilesTest : public ::testing::Test {
protected:
    static constexpr int QuestCount = 5;
    static constexpr int SceneId = 3;

    ProfilesTest() { resetServices(); }
    ~ProfilesTest() override { resetServices(); }

    static void resetServices()
    {
        PlayerProfiles::destroyInstance();
        QuestManager::destroyInstance();
        GameFlow::destroyInstance();
        ItemRegistry::destroyInstance();
        SceneIndex::destroyInstance();
    }

    void SetUp() override
    {
        loadQuests();
        // One scene of four items: three start waiting (group 1), one in the
        // rule-only group 6.
        std::string items = "<Scene>\n";
        for (int k = 0; k < 4; ++k)
            items += "<Item name=\"item" + std::to_string(k) +
                     "\" image=\"i.png\" layer=\"0\" majorGroupID=\"0\" minorGroupID=\"0\" x=\"0\" y=\"0\""
                     " angle=\"0\" R=\"255\" G=\"255\" B=\"255\" A=\"255\" type=\"0\" infoTip=\"tip\" typeId=\"" +
                     std::string(k == 3 ? "7" : "0") + "\"/>\n";
        items += "</Scene>\n";
        scratch.write("scene3/Scene.xml", items);
        rulesPath = scratch.write("scene3/Rules.xml", "<ItemGroupRules>\n"
                                                      "<Rule groupId=\"1\" typeId=\"0\" type=\"0\"/>\n"
                                                      "<Rule groupId=\"6\" typeId=\"7\" type=\"0\"/>\n"
                                                      "</ItemGroupRules>\n");
        ASSERT_TRUE(loadSceneIndex(scratch.write("sceneIndex.xml",
                                                 "<Indexes><Index id=\"3\" fileName=\"Scene.xml\" path=\"" +
                                                     scratch.path() + "/scene3/\"/></Indexes>\n")));
    }

    // A chain of quests: quest i opens i + 1 and needs i; reset (quest 0
    // open and current).
    void loadQuests(int count = QuestCount)
    {
        std::string xml = "<GamePlay>\n";
        for (int i = 0; i < count; ++i)
            xml += "<Quest id=\"" + std::to_string(i) + "\" screenId=\"" + std::to_string(i) +
                   "\" stage=\"0\" opens=\"" + (i + 1 < count ? std::to_string(i + 1) : "") +
                   "\" needs=\"" + std::to_string(i - 1) +
                   "\" emptyContainer=\"false\" correctLocationStage=\"true\"/>\n";
        xml += "</GamePlay>\n";
        ASSERT_TRUE(quests().load(scratch.write("Quests.xml", xml)));
        quests().reset();
    }

    // Plays a little: the scene registered, two items found, one wanted,
    // quests 0 and 1 done, the flow at `flowIndex`.
    void play(int flowIndex)
    {
        ASSERT_EQ(registry().registerScene(SceneId, rulesPath), 4);
        registry().moveItem(1, ItemKey{0, SceneId}, 0);
        registry().moveItem(1, ItemKey{2, SceneId}, 0);
        registry().moveItem(1, ItemKey{1, SceneId}, 2);
        quests().complete(0);
        quests().complete(1);
        quests().setCurrent(2);
        GameFlow::instance()->index = flowIndex;
    }

    // The live state play() leaves, checked in full.
    void expectPlayed(int flowIndex)
    {
        EXPECT_EQ(GameFlow::instance()->index, flowIndex);
        EXPECT_TRUE(quests().questAt(0)->done);
        EXPECT_TRUE(quests().questAt(1)->done);
        EXPECT_TRUE(quests().questAt(2)->open);
        EXPECT_FALSE(quests().questAt(2)->done);
        EXPECT_EQ(quests().currentId(), 2);
        EXPECT_EQ(registry().groupIds(), (std::vector<int32_t>{0, 1, 2, 6}));
        const std::vector<ItemState*> found = registry().itemsOfGroup(0, -1);
        ASSERT_EQ(found.size(), 2u);
        EXPECT_EQ(found[0]->itemIndex, 0);
        EXPECT_EQ(found[1]->itemIndex, 2);
        ASSERT_EQ(registry().itemsOfGroup(2, SceneId).size(), 1u);
        EXPECT_EQ(registry().itemsOfGroup(6, SceneId).size(), 1u);
        // The restored items have their records from the scene file again.
        for (int32_t g : registry().groupIds())
            for (ItemState* s : registry().itemsOfGroup(g, -1)) {
                ASSERT_NE(s->item, nullptr);
                EXPECT_EQ(s->item->name, "item" + std::to_string(s->itemIndex));
            }
    }

    // The state of a game just begun: quest 0 open and current, nothing
    // done, no items.
    void expectFreshGame()
    {
        EXPECT_EQ(quests().currentId(), 0);
        EXPECT_TRUE(quests().questAt(0)->open);
        for (int i = 0; i < QuestCount; ++i)
            EXPECT_FALSE(quests().questAt(i)->done) << i;
        EXPECT_FALSE(quests().questAt(1)->open);
        EXPECT_TRUE(registry().groupIds().empty());
    }

    TempFolder scratch;
    std::string rulesPath;
};

// ---------------------------------------------------------------- layout

TEST_F(ProfilesTest, AFreshRecordIsTenDefaultScoresAndNoCurrentProfile)
{
    PlayerProfiles list;
    EXPECT_EQ(recordOf(list), fromHex("00000000 0a000000"
                                      "06000000 2d 00 00000000  06000000 2d 00 00000000"
                                      "06000000 2d 00 00000000  06000000 2d 00 00000000"
                                      "06000000 2d 00 00000000  06000000 2d 00 00000000"
                                      "06000000 2d 00 00000000  06000000 2d 00 00000000"
                                      "06000000 2d 00 00000000  06000000 2d 00 00000000"
                                      "ffffffff"));
    EXPECT_EQ(list.currentProfile(), nullptr);
    ASSERT_EQ(list.getHighScores().size(), 10u);
    EXPECT_EQ(list.getHighScores()[9], HighScoreEntry(0, "-"));
}

TEST_F(ProfilesTest, AProfileBlobHoldsEveryFieldAtItsOffset)
{
    // An empty name: one zero byte, 48 bytes in all besides the quest state
    // (8 + 3 x 5 bytes, fresh: quest 0 open).
    PlayerProfile empty("", 0);
    const Bytes fresh = Builder().i32(0).i32(QuestCount).u8(0).u8(1).zeros(3 * QuestCount - 2).out;
    EXPECT_EQ(empty.toBlob(), Builder().zeros(48).bytes(fresh).out);

    PlayerProfile ann("Ann", PlayerProfile::Fearless);
    ann.setGameStarted(true);
    ann.setFlowIndex(7);
    ann.setSavedStep(-2);
    ann.setScore(120);
    ann.setBonusFlag(41);
    ann.markSceneVisited(0);
    ann.markSceneVisited(25);
    ASSERT_EQ(registry().registerScene(SceneId, rulesPath), 4);
    ann.captureScenes();
    const Bytes group1 = Builder().i32(3).i32(1).u8(0).u8(3).u8(0).u8(1).u8(3).u8(1).u8(2).u8(3).u8(2).out;
    const Bytes group6 = Builder().i32(1).i32(6).u8(3).u8(3).u8(3).out;
    Builder expected;
    expected.text("Ann").u8(0).u8(1).i32(7).i32(-2).i32(1).i32(120).u8(0).u8(1).u8(0);
    expected.u8(1).zeros(24).u8(1);
    expected.u8(2).i32(static_cast<int64_t>(group1.size())).bytes(group1);
    expected.i32(static_cast<int64_t>(group6.size())).bytes(group6).bytes(fresh);
    EXPECT_EQ(ann.toBlob(), expected.out);
}

TEST_F(ProfilesTest, NumbersOutOfTheirRangeReadAsTheNearestValidOne)
{
    for (int mode : {5, -3}) {
        PlayerProfile damaged("Ann", mode);
        damaged.setFlowIndex(-1);
        damaged.setSavedStep(-7);
        damaged.setScore(-50);
        const Bytes blob = damaged.toBlob();
        std::string why;
        const std::unique_ptr<PlayerProfile> read = PlayerProfile::fromBlob(blob.data(), blob.size(), why);
        ASSERT_NE(read, nullptr) << why;
        EXPECT_EQ(read->getPlayMode(), mode > 0 ? PlayerProfile::Fearless : PlayerProfile::Casual);
        EXPECT_EQ(read->getFlowIndex() + read->getSavedStep() + read->getScore(), 0) << "each read as 0";
    }
}

TEST_F(ProfilesTest, ANeverSelectedProfileSavesAndRestoresAFreshQuestState)
{
    PlayerProfiles list;
    list.addProfile("Ann", 0);
    list.addProfile("Bo", 1);
    list.select(0);
    play(4);
    // Bo was never current: it holds no captured state, yet its record has
    // a complete quest state for the five quests.
    const Bytes record = recordOf(list);
    const Bytes boBlob = list.profileAt(1)->toBlob();
    const Bytes fresh = PlayerProfile::freshQuestState(QuestCount);
    ASSERT_GE(boBlob.size(), fresh.size());
    EXPECT_TRUE(std::equal(fresh.begin(), fresh.end(), boBlob.end() - static_cast<long>(fresh.size())));

    PlayerProfiles reloaded;
    ASSERT_TRUE(loadRecord(reloaded, record));
    reloaded.select(1);
    expectFreshGame();
    EXPECT_EQ(GameFlow::instance()->index, 0);
    // And Ann's game is where she left it.
    reloaded.select(0);
    expectPlayed(4);
}

TEST_F(ProfilesTest, NamesAreStoredUpToAZeroCharacter)
{
    PlayerProfiles list;
    PlayerProfile* odd = list.addProfile(std::string("Ed\0gar", 6), 0);
    odd->setScore(30);
    list.addHighScore(odd);
    PlayerProfiles reloaded;
    ASSERT_TRUE(loadRecord(reloaded, recordOf(list)));
    EXPECT_EQ(reloaded.profileAt(0)->getName(), "Ed");
    EXPECT_EQ(reloaded.getHighScores()[0], HighScoreEntry(30, "Ed"));
}

// ---------------------------------------------------------------- the list

TEST_F(ProfilesTest, AddingFindingAndRemovingKeepTheCurrentIndexRight)
{
    PlayerProfiles list;
    EXPECT_EQ(list.addProfile("Ann", 1)->getPlayMode(), 1);
    list.addProfile("Bo", 0);
    list.addProfile("Cy", 0);
    list.addProfile("Di", 0);
    EXPECT_EQ(list.getCurrentIndex(), -1);
    EXPECT_EQ(list.findByName("Cy"), list.profileAt(2));
    EXPECT_EQ(list.findByName("cy"), nullptr);
    EXPECT_EQ(list.findByName("C"), nullptr);
    EXPECT_EQ(list.findByName("Cy "), nullptr);

    // Removing with none current leaves none current.
    list.removeProfile(3);
    EXPECT_EQ(list.getCurrentIndex(), -1);
    ASSERT_EQ(list.profileCount(), 3);

    list.select(2);
    EXPECT_EQ(list.currentProfile()->getName(), "Cy");
    list.addProfile("Ed", 0);
    EXPECT_EQ(list.getCurrentIndex(), 2);
    // Before the current one: the index follows it down.
    list.removeProfile(0);
    EXPECT_EQ(list.getCurrentIndex(), 1);
    EXPECT_EQ(list.currentProfile()->getName(), "Cy");
    // After it, or outside the list: no change.
    list.removeProfile(2);
    list.removeProfile(5);
    list.removeProfile(-1);
    EXPECT_EQ(list.profileCount(), 2);
    EXPECT_EQ(list.currentProfile()->getName(), "Cy");
    // The current one itself: none current.
    list.removeProfile(1);
    EXPECT_EQ(list.getCurrentIndex(), -1);
    EXPECT_EQ(list.currentProfile(), nullptr);
    EXPECT_EQ(list.profileAt(0)->getName(), "Bo");
}

TEST_F(ProfilesTest, RemovingTheCurrentProfileLeavesNoLiveGameBehind)
{
    PlayerProfiles list;
    list.addProfile("Ann", 0);
    list.addProfile("Bo", 0);
    list.select(1);
    play(4);
    // Another profile goes: the current one plays on.
    list.removeProfile(0);
    expectPlayed(4);
    // The current one goes: its game goes with it.
    list.removeProfile(0);
    EXPECT_EQ(list.currentProfile(), nullptr);
    expectFreshGame();
    EXPECT_EQ(GameFlow::instance()->index, 0);
}

TEST_F(ProfilesTest, SelectingHandsTheLiveGameOverBetweenProfiles)
{
    PlayerProfiles list;
    list.addProfile("Ann", 1);
    list.addProfile("Bo", 0);
    list.select(0);
    expectFreshGame();
    play(4);

    list.select(1);
    EXPECT_EQ(list.profileAt(0)->getFlowIndex(), 4);
    expectFreshGame();
    EXPECT_EQ(GameFlow::instance()->index, 0);
    quests().complete(0);
    GameFlow::instance()->index = 2;

    list.select(0);
    expectPlayed(4);
    list.select(1);
    EXPECT_TRUE(quests().questAt(0)->done);
    EXPECT_FALSE(quests().questAt(1)->done);
    EXPECT_EQ(GameFlow::instance()->index, 2);

    // Selecting the current profile keeps the live state as it is.
    quests().complete(1);
    GameFlow::instance()->index = 3;
    list.select(1);
    EXPECT_TRUE(quests().questAt(1)->done);
    EXPECT_EQ(GameFlow::instance()->index, 3);
    EXPECT_EQ(list.profileAt(1)->getFlowIndex(), 3);

    // Past the end or negative: nothing changes, nothing is captured.
    GameFlow::instance()->index = 9;
    list.select(2);
    list.select(-1);
    EXPECT_EQ(list.getCurrentIndex(), 1);
    EXPECT_EQ(list.profileAt(1)->getFlowIndex(), 3);
    EXPECT_EQ(GameFlow::instance()->index, 9);
}

TEST_F(ProfilesTest, ResettingProgressKeepsTheIdentityScoreAndQuests)
{
    PlayerProfile p("Ann", 0);
    p.setBonusFlag(27);
    p.setBonusFlag(49);
    p.setBonusFlag(28);
    EXPECT_EQ(p.toBlob()[3 + 18], 1);
    EXPECT_EQ(p.toBlob()[3 + 19], 0);
    EXPECT_EQ(p.toBlob()[3 + 20], 1);
    p.markSceneVisited(26);  // out of range: no flag, no stray byte
    EXPECT_EQ(p.toBlob().size(), 3 + 48 + PlayerProfile::freshQuestState(QuestCount).size());

    ASSERT_EQ(registry().registerScene(SceneId, rulesPath), 4);
    p.markSceneVisited(25);
    p.captureScenes();
    quests().complete(0);
    p.captureQuests();
    p.setFlowIndex(5);
    p.setSavedStep(3);
    p.setGameStarted(true);
    p.setScore(40);
    const Bytes questState = p.getQuestState();
    p.resetProgress();
    EXPECT_EQ(p.getFlowIndex(), 0);
    EXPECT_EQ(p.getSavedStep(), 0);
    EXPECT_FALSE(p.hasBonusFlag(0) || p.hasBonusFlag(2) || p.isSceneVisited(25));
    EXPECT_TRUE(p.getSceneStates().empty());
    EXPECT_EQ(p.getScore(), 40);
    EXPECT_TRUE(p.isGameStarted());
    EXPECT_EQ(p.getQuestState(), questState);

    // The score stops at the ends of the int range instead of wrapping.
    p.setScore(2147483000);
    p.addScore(1000);
    EXPECT_EQ(p.getScore(), 2147483647);
    p.setScore(-2147483000);
    p.addScore(-1000);
    EXPECT_EQ(p.getScore(), -2147483647 - 1);
}

TEST_F(ProfilesTest, MoreGroupsThanTheBlobCanCountAreCutTo255)
{
    for (int32_t g = 0; g < 300; ++g)
        registry().group(g);
    PlayerProfile p("Ann", 0);
    p.captureScenes();
    EXPECT_EQ(p.getSceneStates().size(), 255u);
    std::string why;
    const Bytes blob = p.toBlob();
    auto back = PlayerProfile::fromBlob(blob.data(), blob.size(), why);
    ASSERT_NE(back, nullptr) << why;
    EXPECT_EQ(back->getSceneStates(), p.getSceneStates());
}

// ---------------------------------------------------------------- scores

TEST_F(ProfilesTest, HighScoresAreOrderedByScoreThenByTheGreaterNameAndKeepTen)
{
    PlayerProfiles list;
    PlayerProfile bob("Bob", 1), al("Al", 1), cy("Cy", 1);
    bob.setScore(50);
    al.setScore(50);
    list.addHighScore(&al);
    list.addHighScore(&bob);
    std::vector<HighScoreEntry> rows = list.getHighScores();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0], HighScoreEntry(50, "Bob"));
    EXPECT_EQ(rows[1], HighScoreEntry(50, "Al"));
    // Byte-wise: "-" sorts before letters, so at score 0 a name wins over it.
    cy.setScore(0);
    list.addHighScore(&cy);
    EXPECT_EQ(list.getHighScores()[2], HighScoreEntry(0, "Cy"));
    EXPECT_EQ(list.getHighScores()[3], HighScoreEntry(0, "-"));

    // The same pair again: one row.
    rows = list.getHighScores();
    list.addHighScore(&bob);
    EXPECT_EQ(list.getHighScores(), rows);
    // The same name with another score is another row.
    bob.setScore(70);
    list.addHighScore(&bob);
    EXPECT_EQ(list.getHighScores()[0], HighScoreEntry(70, "Bob"));
    EXPECT_EQ(list.getHighScores()[1], HighScoreEntry(50, "Bob"));
    list.addHighScore(nullptr);

    // Fill the table with scores 100..109, then try below all and at a tie
    // with the last row.
    for (int i = 0; i < 10; ++i) {
        PlayerProfile p("P" + std::to_string(i), 1);
        p.setScore(100 + i);
        list.addHighScore(&p);
    }
    rows = list.getHighScores();
    EXPECT_EQ(rows[0], HighScoreEntry(109, "P9"));
    EXPECT_EQ(rows[9], HighScoreEntry(100, "P0"));
    PlayerProfile low("Zed", 1);
    low.setScore(99);
    list.addHighScore(&low);
    EXPECT_EQ(list.getHighScores(), rows);
    PlayerProfile tieLower("A", 1), tieHigher("Q", 1);
    tieLower.setScore(100);
    tieHigher.setScore(100);
    list.addHighScore(&tieLower);
    EXPECT_EQ(list.getHighScores(), rows);
    list.addHighScore(&tieHigher);
    EXPECT_EQ(list.getHighScores().size(), 10u);
    EXPECT_EQ(list.getHighScores()[9], HighScoreEntry(100, "Q"));
    EXPECT_EQ(list.getHighScores()[8], HighScoreEntry(101, "P1"));
}

TEST_F(ProfilesTest, AStoredTableOfOtherThanTenRowsIsSortedAndMadeTen)
{
    PlayerProfiles list;
    Bytes three = Builder()
                      .i32(0)
                      .i32(3)
                      .i32(7).text("Al").u8(0).i32(5)
                      .i32(7).text("Bo").u8(0).i32(9)
                      .i32(5).u8(0).i32(-4)
                      .i32(-1)
                      .out;
    ASSERT_TRUE(loadRecord(list, three));
    const std::vector<HighScoreEntry>& rows = list.getHighScores();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0], HighScoreEntry(9, "Bo"));
    EXPECT_EQ(rows[1], HighScoreEntry(5, "Al"));
    EXPECT_EQ(rows[2], HighScoreEntry(0, "-"));
    EXPECT_EQ(rows[9], HighScoreEntry(0, "")) << "a negative score reads as 0, the lowest a score gets";

    Builder twelve;
    twelve.i32(0).i32(12);
    for (int i = 0; i < 12; ++i)
        twelve.i32(6).text(std::string(1, static_cast<char>('a' + i))).u8(0).i32(i);
    twelve.i32(-1);
    ASSERT_TRUE(loadRecord(list, twelve.out));
    ASSERT_EQ(list.getHighScores().size(), 10u);
    EXPECT_EQ(list.getHighScores()[0], HighScoreEntry(11, "l"));
    EXPECT_EQ(list.getHighScores()[9], HighScoreEntry(2, "c"));
}

// ---------------------------------------------------------------- save file

// The game's save store: the settings and the profiles, in a file.
std::unique_ptr<FileSaveGame> gameStore(const std::string& path, IdApp& app)
{
    auto store = std::make_unique<FileSaveGame>(path, &app);
    store->replaceEntry("SOUND_VOLUME", std::make_unique<GenericEntry<int>>(80));
    store->replaceEntry("MUSIC_VOLUME", std::make_unique<GenericEntry<int>>(60));
    store->replaceEntry("FULL_SCREEN", std::make_unique<GenericEntry<char>>(1));
    store->replaceEntry("HARDWARE_CURSOR", std::make_unique<GenericEntry<char>>(0));
    store->replaceEntry("PLAYER_PROFILES", std::unique_ptr<SaveGameEntry>(PlayerProfiles::instance()));
    return store;
}

int intEntry(FileSaveGame& store, const std::string& key)
{
    return static_cast<GenericEntry<int>*>(store.getEntry(key))->value;
}

TEST_F(ProfilesTest, ProfilesSurviveASaveFileWithTheirWholeGame)
{
    IdApp app("QD001");
    const std::string path = scratch.path("save.dat");
    {
        auto store = gameStore(path, app);
        PlayerProfiles* list = PlayerProfiles::instance();
        PlayerProfile* ann = list->addProfile("Ann", 1);
        list->addProfile("Gone", 0);
        PlayerProfile* bo = list->addProfile("Bob", 0);
        list->addProfile("Cy", 0);
        ann->setScore(120);
        ann->setGameStarted(true);
        ann->setSavedStep(3);
        ann->setBonusFlag(27);
        ann->markSceneVisited(SceneId);
        list->addHighScore(ann);
        bo->setName("Bo");
        bo->setFlowIndex(2);
        list->removeProfile(1);
        list->select(0);
        play(7);
        static_cast<GenericEntry<int>*>(store->getEntry("SOUND_VOLUME"))->value = 33;
        ASSERT_TRUE(store->save());
    }
    // The store owned the list: it went with it, and the live services are
    // gone as if the process had ended.
    EXPECT_EQ(PlayerProfiles::existingInstance(), nullptr);
    resetServices();
    loadQuests();
    ASSERT_TRUE(loadSceneIndex(scratch.path("sceneIndex.xml")));
    quests().complete(0);

    auto store = gameStore(path, app);
    ASSERT_TRUE(store->load());
    EXPECT_EQ(intEntry(*store, "SOUND_VOLUME"), 33);
    PlayerProfiles* list = PlayerProfiles::instance();
    ASSERT_EQ(list->profileCount(), 3);
    EXPECT_EQ(list->getCurrentIndex(), 0);
    const PlayerProfile* ann = list->profileAt(0);
    EXPECT_EQ(ann->getName(), "Ann");
    EXPECT_EQ(ann->getPlayMode(), 1);
    EXPECT_EQ(ann->getScore(), 120);
    EXPECT_EQ(ann->getFlowIndex(), 7);
    EXPECT_EQ(ann->getSavedStep(), 3);
    EXPECT_TRUE(ann->isGameStarted());
    EXPECT_TRUE(ann->hasBonusFlag(0));
    EXPECT_FALSE(ann->hasBonusFlag(1));
    EXPECT_TRUE(ann->isSceneVisited(SceneId));
    EXPECT_FALSE(ann->isSceneVisited(0));
    EXPECT_EQ(list->profileAt(1)->getName(), "Bo");
    EXPECT_EQ(list->profileAt(1)->getFlowIndex(), 2);
    EXPECT_FALSE(list->profileAt(1)->isGameStarted());
    EXPECT_EQ(list->profileAt(2)->getName(), "Cy");
    EXPECT_EQ(list->getHighScores()[0], HighScoreEntry(120, "Ann"));
    EXPECT_EQ(list->getHighScores()[1], HighScoreEntry(0, "-"));

    // Ann's quests, items and flow position are live again.
    expectPlayed(7);
    list->select(1);
    EXPECT_EQ(GameFlow::instance()->index, 2);
    EXPECT_EQ(list->profileAt(0)->getFlowIndex(), 7);
    expectFreshGame();
}

TEST_F(ProfilesTest, StartsQuitsAndSwitchesNeverMoveAStoredFlowPosition)
{
    IdApp app("QD001");
    const std::string path = scratch.path("save.dat");
    // Ends the process: saves, drops every live service, starts anew and
    // loads the file.
    std::unique_ptr<FileSaveGame> store;
    auto restart = [&] {
        ASSERT_TRUE(store->save());
        store.reset();
        resetServices();
        loadQuests();
        ASSERT_TRUE(loadSceneIndex(scratch.path("sceneIndex.xml")));
        store = gameStore(path, app);
        ASSERT_TRUE(store->load());
    };
    store = gameStore(path, app);
    PlayerProfiles* list = PlayerProfiles::instance();
    list->addProfile("Ann", 0);
    list->addProfile("Bo", 1);
    list->select(1);
    GameFlow::instance()->index = 5;
    list->select(0);
    play(2);

    // Started and quit without playing, twice: Ann stays at entry 2 and Bo
    // at 5.
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        restart();
        list = PlayerProfiles::instance();
        ASSERT_EQ(list->getCurrentIndex(), 0);
        EXPECT_EQ(GameFlow::instance()->index, 2);
        EXPECT_EQ(list->profileAt(0)->getFlowIndex(), 2);
        EXPECT_EQ(list->profileAt(1)->getFlowIndex(), 5);
    }
    // A switch right after the start takes neither's position to the other.
    list->select(1);
    EXPECT_EQ(GameFlow::instance()->index, 5);
    EXPECT_EQ(list->profileAt(0)->getFlowIndex(), 2);
    restart();
    list = PlayerProfiles::instance();
    EXPECT_EQ(list->getCurrentIndex(), 1);
    EXPECT_EQ(GameFlow::instance()->index, 5);
    list->select(0);
    EXPECT_EQ(GameFlow::instance()->index, 2);
    EXPECT_EQ(list->profileAt(1)->getFlowIndex(), 5);
    EXPECT_TRUE(quests().questAt(1)->done);
}

TEST_F(ProfilesTest, ADamagedRecordIsRefusedAndTheStoreKeepsItsDefaults)
{
    IdApp app("QD001");
    const std::string path = scratch.path("save.dat");
    // Header, the three settings before the record, a record whose first
    // profile claims two thousand million bytes, the last setting.
    const Bytes file = Builder()
                           .i32(5).text("QD001")
                           .u8(0).u8(1).i32(44)
                           .i32(1).i32(2000000000).text("Ann").u8(0)
                           .i32(25)
                           .out;
    scratch.write("save.dat", std::string(file.begin(), file.end()));

    quests().complete(0);
    auto store = gameStore(path, app);
    g_largestAllocation = 0;
    g_trackAllocations = true;
    const bool loaded = store->load();
    g_trackAllocations = false;
    EXPECT_TRUE(loaded);  // the header matched
    EXPECT_LT(g_largestAllocation.load(), 4096u);
    EXPECT_EQ(static_cast<GenericEntry<char>*>(store->getEntry("FULL_SCREEN"))->value, 0);
    EXPECT_EQ(intEntry(*store, "MUSIC_VOLUME"), 44);
    // The record and everything after it keep their defaults.
    EXPECT_EQ(intEntry(*store, "SOUND_VOLUME"), 80);
    PlayerProfiles* list = PlayerProfiles::instance();
    EXPECT_EQ(list->profileCount(), 0);
    EXPECT_EQ(list->getCurrentIndex(), -1);
    EXPECT_EQ(list->getHighScores(), std::vector<HighScoreEntry>(10));
    EXPECT_TRUE(quests().questAt(0)->done);  // nothing restored
    EXPECT_EQ(readFileBytes(path + ".bad"), std::string(file.begin(), file.end()));
}

// ---------------------------------------------------------------- hostile

class DamagedRecordTest : public ProfilesTest {
protected:
    // A sound record: two profiles with scene and quest states, one score.
    Bytes soundRecord()
    {
        PlayerProfiles list;
        list.addProfile("Ann", 1)->setScore(5);
        list.addProfile("Bo", 0);
        list.select(0);
        play(4);
        list.addHighScore(list.profileAt(0));
        return recordOf(list);
    }

    // Loads into a list that holds one profile "Keep" (current) and a
    // score, and checks that a refused record changed neither the list nor
    // the live game.
    void expectRefused(const Bytes& record, const std::string& what)
    {
        PlayerProfiles list;
        PlayerProfile* keep = list.addProfile("Keep", 0);
        keep->setScore(3);
        list.addHighScore(keep);
        list.select(0);
        quests().complete(0);
        const std::vector<HighScoreEntry> rows = list.getHighScores();

        g_largestAllocation = 0;
        g_trackAllocations = true;
        const bool loaded = loadRecord(list, record);
        g_trackAllocations = false;
        EXPECT_FALSE(loaded) << what;
        EXPECT_LT(g_largestAllocation.load(), 4096u + record.size()) << what;
        ASSERT_EQ(list.profileCount(), 1) << what;
        EXPECT_EQ(list.currentProfile(), keep) << what;
        EXPECT_EQ(list.getHighScores(), rows) << what;
        EXPECT_TRUE(quests().questAt(0)->done) << what;
    }

    // A record of one profile with the given blob, the default table and
    // current 0.
    static Bytes withBlob(const Bytes& blob)
    {
        return Builder().i32(1).i32(static_cast<int64_t>(blob.size())).bytes(blob).bytes(defaultRows()).i32(0).out;
    }

    // A profile blob "X" with the given scene states and quest state.
    static Bytes blob(const std::vector<Bytes>& states, const Bytes& questState)
    {
        Builder b;
        b.text("X").u8(0).u8(0).i32(0).i32(0).i32(0).i32(0).zeros(29).u8(static_cast<uint8_t>(states.size()));
        for (const Bytes& s : states)
            b.i32(static_cast<int64_t>(s.size())).bytes(s);
        return b.bytes(questState).out;
    }
};

TEST_F(DamagedRecordTest, ASoundRecordLoadsAndConsumesExactlyItsBytes)
{
    const Bytes record = soundRecord();
    PlayerProfiles list;
    std::size_t left = 99;
    Bytes followed = record;
    followed.push_back(0x5A);  // the next entry's byte
    ASSERT_TRUE(loadRecord(list, followed, &left));
    EXPECT_EQ(left, 1u);
    EXPECT_EQ(list.profileCount(), 2);
    EXPECT_EQ(recordOf(list), record);

    // The hand-made helpers below build records the loader accepts.
    const Bytes fresh = PlayerProfile::freshQuestState(3);
    const Bytes state = Builder().i32(1).i32(2).u8(4).u8(3).u8(0).out;
    ASSERT_TRUE(loadRecord(list, withBlob(blob({state}, fresh))));
    EXPECT_EQ(list.currentProfile()->getName(), "X");
}

TEST_F(DamagedRecordTest, ARecordCutShortAnywhereIsRefused)
{
    const Bytes record = soundRecord();
    ASSERT_GT(record.size(), 100u);
    for (std::size_t cut = 0; cut < record.size(); ++cut)
        expectRefused(Bytes(record.begin(), record.begin() + static_cast<long>(cut)), "cut at " + std::to_string(cut));
}

TEST_F(DamagedRecordTest, HugeOrNegativeCountsAndSizesAllocateNothing)
{
    const Bytes fresh = PlayerProfile::freshQuestState(3);
    const Bytes good = blob({}, fresh);
    const Bytes rows = defaultRows();
    for (int64_t n : {int64_t{2000000000}, int64_t{-1}, int64_t{-2147483647 - 1}}) {
        const std::string tag = " " + std::to_string(n);
        expectRefused(Builder().i32(n).out, "profile count" + tag);
        expectRefused(Builder().i32(1).i32(n).bytes(good).bytes(rows).i32(0).out, "profile size" + tag);
        expectRefused(Builder().i32(0).i32(n).i32(-1).out, "score count" + tag);
        expectRefused(Builder().i32(0).i32(1).i32(n).text("Al").u8(0).i32(1).i32(-1).out, "score size" + tag);
        // A scene state claiming more than the profile blob holds, though
        // the file would have the bytes.
        Bytes inner = blob({}, fresh);
        inner[inner.size() - fresh.size() - 1] = 1;  // one state
        Bytes claim = Builder().i32(n).out;
        inner.insert(inner.end() - static_cast<long>(fresh.size()), claim.begin(), claim.end());
        Bytes record = withBlob(inner);
        record.insert(record.end(), 64, 0);
        expectRefused(record, "scene state size" + tag);
        // A quest state whose count is huge or negative.
        expectRefused(withBlob(blob({}, Builder().i32(0).i32(n).out)), "quest count" + tag);
    }
}

TEST_F(DamagedRecordTest, MalformedPartsAreRefused)
{
    const Bytes fresh = PlayerProfile::freshQuestState(3);
    const Bytes rows = defaultRows();
    // A profile blob shorter than its fixed part, or whose name never ends.
    expectRefused(withBlob(Bytes(47, 'a')), "short blob");
    expectRefused(withBlob(Bytes(80, 'a')), "no name end");
    // A name so long that the fixed part no longer fits after it.
    expectRefused(withBlob(Builder().text(std::string(30, 'n')).u8(0).zeros(30).out), "long name");
    // A scene state whose item count does not match its size.
    expectRefused(withBlob(blob({Builder().i32(2).i32(1).u8(0).u8(3).u8(0).out}, fresh)), "item count");
    expectRefused(withBlob(blob({Builder().i32(0).out}, fresh)), "state head");
    // A scene state whose own item count agrees with the size it claims,
    // but the profile blob ends first.
    Bytes overrun = blob({}, {});
    overrun.back() = 1;  // one scene state, then:
    overrun = Builder().bytes(overrun).i32(8 + 3 * 1000).i32(1000).i32(1).u8(0).u8(3).u8(0).out;
    Bytes record = withBlob(overrun);
    record.insert(record.end(), 4000, 0);
    expectRefused(record, "state overrun");
    // More scene states counted than the blob holds.
    Bytes missing = blob({}, fresh);
    missing[missing.size() - fresh.size() - 1] = 3;
    expectRefused(withBlob(missing), "state count");
    // Quest states that are absent, short or of the wrong length.
    expectRefused(withBlob(blob({}, {})), "no quest state");
    expectRefused(withBlob(blob({}, Builder().i32(0).i32(3).zeros(8).out)), "quest length");
    expectRefused(withBlob(blob({}, Builder().i32(0).out)), "quest head");
    // Score rows: too small for their zero byte and score, a name whose
    // zero byte is not the one before the score, one with no zero byte.
    expectRefused(Builder().i32(0).i32(1).i32(4).i32(1).i32(-1).out, "row size");
    expectRefused(Builder().i32(0).i32(1).i32(8).text("A").u8(0).text("B").u8(0).i32(5).i32(-1).out, "early zero");
    expectRefused(Builder().i32(0).i32(1).i32(6).text("AB").i32(5).i32(-1).out, "no zero");
    // A current index that names no profile.
    const Bytes good = blob({}, fresh);
    for (int current : {1, 7, -2})
        expectRefused(Builder().i32(1).i32(static_cast<int64_t>(good.size())).bytes(good).bytes(rows).i32(current).out,
                      "current " + std::to_string(current));
}

TEST_F(ProfilesTest, ARecordWithNoCurrentProfileRestoresNothing)
{
    quests().complete(0);
    ASSERT_EQ(registry().registerScene(SceneId, rulesPath), 4);
    GameFlow::instance()->index = 6;
    PlayerProfiles source;
    source.addProfile("Ann", 0);
    PlayerProfiles list;
    ASSERT_TRUE(loadRecord(list, recordOf(source)));
    EXPECT_EQ(list.profileCount(), 1);
    EXPECT_EQ(list.currentProfile(), nullptr);
    EXPECT_TRUE(quests().questAt(0)->done);
    EXPECT_EQ(registry().itemsOfGroup(1, SceneId).size(), 3u);
    EXPECT_EQ(GameFlow::instance()->index, 6);
}

// ---------------------------------------------------------------- content lost

// A start over content that could not be read (no quest list, a short one,
// no scene index) and every save and switch it makes: each profile writes
// back the quest state and item states it read, and the progress is whole
// again once the content is.
TEST_F(ProfilesTest, ContentThatCouldNotBeReadNeverErasesStoredProgress)
{
    PlayerProfiles source;
    source.addProfile("Ann", 0);
    source.addProfile("Bo", 1);
    source.select(1);
    quests().complete(0);
    source.select(0);
    play(4);
    const Bytes record = recordOf(source);
    const Bytes annQuests = source.profileAt(0)->getQuestState();
    const Bytes boQuests = source.profileAt(1)->getQuestState();
    const auto annScenes = source.profileAt(0)->getSceneStates();

    for (int loaded : {0, 3}) {
        SCOPED_TRACE(std::to_string(loaded) + " quests loaded");
        resetServices();  // no scene index either
        if (loaded > 0)
            loadQuests(loaded);
        PlayerProfiles list;
        ASSERT_TRUE(loadRecord(list, record));
        ASSERT_EQ(list.getCurrentIndex(), 0);
        // What loaded applies; play goes on with it, and a new profile starts
        // a game of the quests there are.
        EXPECT_EQ(quests().questCount(), loaded);
        if (loaded > 0) {
            EXPECT_TRUE(quests().questAt(1)->done);
            quests().complete(2);
        }
        list.addProfile("Cy", 0);
        list.select(1);
        list.select(2);
        list.select(0);
        const Bytes written = recordOf(list);
        EXPECT_EQ(list.profileAt(0)->getQuestState(), annQuests);
        EXPECT_EQ(list.profileAt(1)->getQuestState(), boQuests);
        EXPECT_EQ(list.profileAt(0)->getSceneStates(), annScenes);

        // The content is whole again: nobody lost anything.
        resetServices();
        loadQuests();
        ASSERT_TRUE(loadSceneIndex(scratch.path("sceneIndex.xml")));
        PlayerProfiles mended;
        ASSERT_TRUE(loadRecord(mended, written));
        expectPlayed(4);
        mended.select(1);
        EXPECT_TRUE(quests().questAt(0)->done);
        EXPECT_FALSE(quests().questAt(1)->done);
        mended.select(2);
        expectFreshGame();
    }
}

// ---------------------------------------------------------------- ranges from content

// A story of five entries: a conversation, the scenes of quests 0 to 2 (at
// positions 1 to 3), the main menu.
bool loadStory(const TempFolder& folder)
{
    std::string xml = "<GameFlow><Screen type=\"StoryDialog\" fileName=\"d.xml\"/>";
    for (int scene = 0; scene < 3; ++scene)
        xml += "<Screen type=\"scene\" sceneId=\"" + std::to_string(scene) +
               "\" configPath=\"c/\" itemRendererConf=\"r\" mechanicsConf=\"m\" itemGroupConf=\"g\"/>";
    xml += "<Screen type=\"mainmenu\"/></GameFlow>";
    return GameFlow::instance()->load(folder.write("GameFlow.xml", xml));
}

TEST_F(ProfilesTest, AFlowPositionPastTheStoryGoesOnAtTheCurrentQuestsLocation)
{
    PlayerProfiles source;
    source.addProfile("Ann", 0);
    source.addProfile("Bo", 0);
    source.select(0);
    play(249);  // quest 2, on location 2, current
    source.select(1);
    GameFlow::instance()->index = 5;  // one past the end; quest 0 current
    const Bytes record = recordOf(source);

    // No story read (its file did not load): no range is known, and the
    // positions stay as they are, to be written back.
    {
        PlayerProfiles list;
        ASSERT_TRUE(loadRecord(list, record));
        EXPECT_EQ(GameFlow::instance()->index, 5);
        list.select(0);
        EXPECT_EQ(GameFlow::instance()->index, 249);
        list.select(1);
        EXPECT_EQ(list.profileAt(0)->getFlowIndex(), 249);
    }

    resetServices();
    loadQuests();
    ASSERT_TRUE(loadSceneIndex(scratch.path("sceneIndex.xml")));
    ASSERT_TRUE(loadStory(scratch));
    PlayerProfiles list;
    ASSERT_TRUE(loadRecord(list, record));
    EXPECT_EQ(GameFlow::instance()->index, 1);
    EXPECT_EQ(list.profileAt(1)->getFlowIndex(), 1);
    list.select(0);
    EXPECT_EQ(GameFlow::instance()->index, 3);
    EXPECT_EQ(list.profileAt(0)->getFlowIndex(), 3);
    expectPlayed(3);
    // A location without a scene in the story: its start. A position in
    // the story stays, whatever the quests say.
    quests().setCurrent(4);
    GameFlow::instance()->index = 7;
    list.select(0);
    EXPECT_EQ(GameFlow::instance()->index, 0);
    PlayerProfile* ann = list.profileAt(0);
    ann->setFlowIndex(4);
    EXPECT_FALSE(ann->fitFlowIndex(*GameFlow::instance(), quests()));
    EXPECT_EQ(ann->getFlowIndex(), 4);
    quests().setCurrent(1);
    ann->setFlowIndex(-3);
    EXPECT_TRUE(ann->fitFlowIndex(*GameFlow::instance(), quests()));
    EXPECT_EQ(ann->getFlowIndex(), 2);
}

TEST_F(ProfilesTest, AStoredCurrentQuestOutsideTheListBecomesTheFirstNotDone)
{
    PlayerProfiles source;
    source.addProfile("Ann", 0);
    source.select(0);
    play(2);
    source.select(0);  // the live game into the profile
    Bytes blob = source.profileAt(0)->toBlob();
    const std::size_t questAt = blob.size() - source.profileAt(0)->getQuestState().size();
    const Bytes rows = defaultRows();
    auto recordWithCurrent = [&](int64_t id) {
        const Bytes idBytes = Builder().i32(id).out;
        std::copy(idBytes.begin(), idBytes.end(), blob.begin() + static_cast<long>(questAt));
        return Builder().i32(1).i32(static_cast<int64_t>(blob.size())).bytes(blob).bytes(rows).i32(0).out;
    };

    for (int64_t id : {200, 5, -4}) {
        SCOPED_TRACE(id);
        PlayerProfiles list;
        ASSERT_TRUE(loadRecord(list, recordWithCurrent(id)));
        expectPlayed(2);  // quest 2 is the first not done
    }
    // Every quest done: the last one.
    for (int q = 2; q < QuestCount; ++q)
        quests().complete(q);
    source.select(0);
    blob = source.profileAt(0)->toBlob();
    {
        PlayerProfiles list;
        ASSERT_TRUE(loadRecord(list, recordWithCurrent(9)));
        EXPECT_EQ(quests().currentId(), QuestCount - 1);
    }
    // A short list cannot tell: the stored state is kept as it was read.
    resetServices();
    loadQuests(3);
    PlayerProfiles list;
    const Bytes record = recordWithCurrent(4);
    ASSERT_TRUE(loadRecord(list, record));
    EXPECT_EQ(recordOf(list), record);
}

}  // namespace
