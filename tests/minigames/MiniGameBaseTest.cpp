// The minigame frame's quest bookkeeping: what construction does to the
// current quest, what the solved and skipped endings record, the fade
// lengths from the tuning table, and that every minigame class sits on the
// frame (the games not built yet with their own name).
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/store/ConfigFile.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "minigames/MgCastingSpells.h"
#include "minigames/MgCipherTiles.h"
#include "minigames/MgCollectArmour.h"
#include "minigames/MgCypherWheel.h"
#include "minigames/MgFaceDrawing.h"
#include "minigames/MgImagePuzzle.h"
#include "minigames/MgKlotsky.h"
#include "minigames/MgLabyrinth.h"
#include "minigames/MgMatchElements.h"
#include "minigames/MgMemoryMatch.h"
#include "minigames/MgRearrangeElements.h"
#include "minigames/MgRectangleTileSum.h"
#include "minigames/MgScrambledDial.h"
#include "minigames/MgSecretNiche.h"
#include "minigames/MgShootingPractice.h"
#include "minigames/MgSumTheNumbers.h"
#include "minigames/MgTriangleCount.h"
#include "minigames/MgWhackAMole.h"
#include "minigames/MgZodiacSigns.h"
#include "minigames/MiniGameBase.h"
#include "tests/minigames/PlaceholderMiniGame.h"
#include "tests/minigames/MiniGameTestSupport.h"
#include "game/ItemRegistry.h"
#include "tests/support/ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Centres of the placeholder's two buttons: a row of two 205 x 48 buttons
// (no pictures loaded) 24 apart, centred across 1024, tops at 560.
const int SolvedX = 295 + 102;
const int SkipX = 295 + 205 + 24 + 102;
const int ButtonsY = 560 + 24;

QuestManager& quests()
{
    return *QuestManager::instance();
}

bool isDone(int id)
{
    return quests().questAt(id)->done;
}

bool isOpen(int id)
{
    return quests().questAt(id)->open;
}

class MiniGameTest : public ::testing::Test {
protected:
    SingletonReset singletons;
    TempFolder folder;
};

// A minigame shown over a stand-in for the scene that opened it.
class MiniGameEndingTest : public MiniGameTest {
protected:
    void SetUp() override { loadQuestChain(folder, 50); }

    // Pushes the scene and the minigame, lets the fade-in finish and
    // confirms the tutorial message, so the game is being played.
    MiniGameBase* open(int questId)
    {
        scene = new SpyScreen(ScreenAttributes());
        app.pushScreen(scene);
        auto* game = new FrameOnlyGame(questId);
        app.pushScreen(game);
        app.frames(20);
        EXPECT_EQ(game->getState(), ScreenBase::Idle);
        EXPECT_EQ(game->getOpenDialog(), MiniGameBase::TutorialDialogId);
        confirmMessage(app);
        EXPECT_TRUE(game->isPlayTimeRunning());
        return game;
    }
    // The minigame has gone and the scene runs again.
    void expectBackOnScene()
    {
        ASSERT_EQ(app.stack.size(), 1u);
        EXPECT_EQ(app.top(), scene);
        EXPECT_TRUE(scene->isActive());
    }

    ScreenTestApp app;
    SpyScreen* scene = nullptr;
};

}  // namespace

TEST_F(MiniGameTest, ALaterQuestsMinigameCompletesTheCurrentQuestThenBecomesCurrent)
{
    loadQuestChain(folder, 10);
    FrameOnlyGame game(3);
    EXPECT_TRUE(isDone(0));
    // completeCurrent opens nothing of its own.
    EXPECT_FALSE(isOpen(1));
    EXPECT_FALSE(isDone(1));
    EXPECT_EQ(quests().currentId(), 3);
    EXPECT_TRUE(isOpen(3));
    EXPECT_FALSE(isDone(3));
}

TEST_F(MiniGameTest, TheCurrentQuestStaysUndoneWhenItIsNotLower)
{
    loadQuestChain(folder, 10);
    quests().setCurrent(5);
    {
        FrameOnlyGame same(5);
        EXPECT_FALSE(isDone(5));
        EXPECT_EQ(quests().currentId(), 5);
        EXPECT_TRUE(isOpen(5));
    }
    FrameOnlyGame earlier(2);
    EXPECT_FALSE(isDone(5));
    EXPECT_FALSE(isDone(2));
    EXPECT_EQ(quests().currentId(), 2);
    EXPECT_TRUE(isOpen(2));
}

TEST_F(MiniGameTest, WithoutQuestsOrACurrentQuestNothingIsTouched)
{
    // Nothing loaded: no current quest to complete, no quest to open.
    FrameOnlyGame none(0);
    EXPECT_EQ(quests().getCurrent(), nullptr);
    EXPECT_EQ(none.getQuestId(), 0);

    ASSERT_TRUE(quests().load(folder.write("Empty.xml", "<GamePlay/>")));
    FrameOnlyGame empty(3);
    EXPECT_EQ(quests().getCurrent(), nullptr);
    EXPECT_EQ(quests().questCount(), 0);
}

TEST_F(MiniGameTest, AQuestIdOutsideTheListOpensNothing)
{
    loadQuestChain(folder, 5);
    // Quest 0 is lower than 7: it is completed, and the first quest not
    // done becomes current; there is no quest 7 to make current.
    FrameOnlyGame beyond(7);
    EXPECT_TRUE(isDone(0));
    EXPECT_EQ(quests().currentId(), 1);
    for (int i = 1; i < 5; ++i)
        EXPECT_FALSE(isOpen(i)) << i;

    FrameOnlyGame negative(-1);
    EXPECT_EQ(quests().currentId(), 1);
    EXPECT_FALSE(isDone(1));
}

TEST_F(MiniGameTest, TheQuestIdIsCopied)
{
    loadQuestChain(folder, 10);
    int id = 4;
    FrameOnlyGame game(id);
    id = 9;
    EXPECT_EQ(game.getQuestId(), 4);
    EXPECT_EQ(quests().currentId(), 4);
}

TEST_F(MiniGameTest, FadeLengthsComeFromTheTuningTable)
{
    {
        FrameOnlyGame untuned(-1);
        auto* in = dynamic_cast<FadeInTransition*>(untuned.getInTransition());
        auto* out = dynamic_cast<FadeOutTransition*>(untuned.getOutTransition());
        ASSERT_NE(in, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(in->getDuration(), 500);
        EXPECT_EQ(out->getDuration(), 500);
    }
    ConfigFile tuning(folder.write("Tuning.cfg", "MiniGameBase.FadeInTransition = 120\n"
                                                 "MiniGameBase.FadeOutTransition = -40\n"
                                                 "EndConfigFile\n"));
    setGameParameters(&tuning);
    FrameOnlyGame tuned(-1);
    EXPECT_EQ(dynamic_cast<FadeInTransition*>(tuned.getInTransition())->getDuration(), 120);
    // A negative length counts as no fade at all.
    EXPECT_EQ(dynamic_cast<FadeOutTransition*>(tuned.getOutTransition())->getDuration(), 0);
    setGameParameters(nullptr);
}

TEST_F(MiniGameEndingTest, SolvedCompletesTheQuestAndReturnsToTheScene)
{
    MiniGameBase* game = open(3);
    clickAt(app, SolvedX, ButtonsY);
    // Solving opens the finished message 700 ms later; its OK closes.
    app.frames(13);
    EXPECT_EQ(game->getOpenDialog(), 0);
    app.frames(2);
    ASSERT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
    EXPECT_EQ(game->getState(), ScreenBase::Idle);
    confirmMessage(app);
    ASSERT_EQ(app.top()->getState(), ScreenBase::Leaving);
    EXPECT_EQ(app.top()->getResultCode(), MiniGameBase::SolvedCode);
    app.frames(20);
    expectBackOnScene();
    EXPECT_TRUE(isDone(3));
    // Completing re-evaluates what the quest opens.
    EXPECT_TRUE(isOpen(4));
}

TEST_F(MiniGameEndingTest, SkippedRecordsTheQuestTheSameWay)
{
    open(3);
    clickAt(app, SkipX, ButtonsY);
    EXPECT_EQ(app.top()->getResultCode(), MiniGameBase::SkippedCode);
    app.frames(20);
    expectBackOnScene();
    EXPECT_TRUE(isDone(3));
    EXPECT_TRUE(isOpen(4));
}

TEST_F(MiniGameEndingTest, BonusQuestsAreNotCompletedButTheMinigameStillLeaves)
{
    for (int bonus : {27, 41, 49}) {
        MiniGameBase* game = open(bonus);
        game->close(bonus == 41 ? MiniGameBase::SkippedCode : MiniGameBase::SolvedCode, true);
        app.frames(20);
        expectBackOnScene();
        EXPECT_FALSE(isDone(bonus)) << bonus;
        app.closeScreen(nullptr);
    }
    EXPECT_TRUE(MiniGameBase::isBonusQuest(27));
    EXPECT_FALSE(MiniGameBase::isBonusQuest(28));
}

TEST_F(MiniGameEndingTest, OtherCodesAndOtherButtonEventsDoNothing)
{
    MiniGameBase* game = open(3);
    // Press, enter and leave events are not clicks.
    for (int event : {0, 2, 3})
        game->onButtonEvent(PlaceholderMiniGame::SolvedButtonId, event);
    app.frames(20);
    EXPECT_EQ(game->getState(), ScreenBase::Idle);
    EXPECT_FALSE(game->isFinishedShown());

    game->close(7, false);
    app.frames(20);
    ASSERT_EQ(app.top(), game);
    EXPECT_FALSE(isDone(3));
    EXPECT_FALSE(scene->isActive());
}

TEST_F(MiniGameTest, EveryMinigameIsAFrameShowingItsOwnName)
{
    loadQuestChain(folder, 20);
    // The built games draw their puzzle, the others their name.
    const std::vector<std::string> built = {
        "MgCastingSpells",    "MgCipherTiles",   "MgCypherWheel",   "MgKlotsky",        "MgLabyrinth",
        "MgRearrangeElements", "MgRectangleTileSum", "MgScrambledDial", "MgSecretNiche", "MgMemoryMatch",
        "MgShootingPractice", "MgSumTheNumbers", "MgTriangleCount", "MgImagePuzzle",    "MgCollectArmour",
        "MgFaceDrawing",      "MgMatchElements", "MgWhackAMole",    "MgZodiacSigns"};
    using Make = std::function<MiniGameBase*(int)>;
    const std::vector<std::pair<std::string, Make>> games = {
        {"MgCastingSpells", [](int q) { return new MgCastingSpells(q); }},
        {"MgCipherTiles", [](int q) { return new MgCipherTiles(q); }},
        {"MgCollectArmour", [](int q) { return new MgCollectArmour(q); }},
        {"MgCypherWheel", [](int q) { return new MgCypherWheel(q); }},
        {"MgFaceDrawing", [](int q) { return new MgFaceDrawing(q); }},
        {"MgImagePuzzle", [](int q) { return new MgImagePuzzle(q); }},
        {"MgKlotsky", [](int q) { return new MgKlotsky(q); }},
        {"MgLabyrinth", [](int q) { return new MgLabyrinth(q); }},
        {"MgMatchElements", [](int q) { return new MgMatchElements(q); }},
        {"MgMemoryMatch", [](int q) { return new MgMemoryMatch(q); }},
        {"MgRearrangeElements", [](int q) { return new MgRearrangeElements(q); }},
        {"MgRectangleTileSum", [](int q) { return new MgRectangleTileSum(q); }},
        {"MgScrambledDial", [](int q) { return new MgScrambledDial(q); }},
        {"MgSecretNiche", [](int q) { return new MgSecretNiche(q); }},
        {"MgShootingPractice", [](int q) { return new MgShootingPractice(q); }},
        {"MgSumTheNumbers", [](int q) { return new MgSumTheNumbers(q); }},
        {"MgTriangleCount", [](int q) { return new MgTriangleCount(q); }},
        {"MgWhackAMole", [](int q) { return new MgWhackAMole(q); }},
        {"MgZodiacSigns", [](int q) { return new MgZodiacSigns(q); }},
    };
    ASSERT_EQ(games.size(), 19u);
    int quest = 0;
    for (const auto& [name, make] : games) {
        std::unique_ptr<MiniGameBase> game(make(quest));
        auto* placeholder = dynamic_cast<PlaceholderMiniGame*>(game.get());
        const bool isBuilt = std::find(built.begin(), built.end(), name) != built.end();
        EXPECT_EQ(placeholder == nullptr, isBuilt) << name;
        if (placeholder) {
            EXPECT_EQ(placeholder->getTitle(), name);
        }
        EXPECT_EQ(game->getQuestKey(), "Quest" + std::to_string(quest));
        EXPECT_EQ(game->getQuestId(), quest);
        EXPECT_EQ(quests().currentId(), quest) << name;
        ++quest;
    }
}

// What an ending records on the current player profile: bonus flags,
// minigame points and the high-score table.
namespace {

class MiniGameProfileTest : public MiniGameEndingTest {
protected:
    MiniGameProfileTest() { resetProfiles(); }
    ~MiniGameProfileTest() override
    {
        setGameParameters(nullptr);
        resetProfiles();
    }
    static void resetProfiles()
    {
        PlayerProfiles::destroyInstance();
        ItemRegistry::destroyInstance();
    }

    // "Ann" in the play mode with 10 points, made current (which starts
    // her quests afresh: quest 0 current).
    PlayerProfile* player(int mode)
    {
        PlayerProfiles* list = PlayerProfiles::instance();
        list->addProfile("Ann", mode)->setScore(10);
        list->select(0);
        return list->currentProfile();
    }
    // A tuning table giving a solved minigame `points`.
    void tune(int points)
    {
        tuning = std::make_unique<ConfigFile>(
            folder.write("Points.cfg", "Points.MiniGame = " + std::to_string(points) + "\nEndConfigFile\n"));
        setGameParameters(tuning.get());
    }
    // Opens the quest's minigame, ends it with the code and returns to the
    // scene.
    void play(int questId, int code)
    {
        open(questId)->close(code, true);
        app.frames(20);
        expectBackOnScene();
        app.closeScreen(nullptr);
    }
    static const std::vector<HighScoreEntry>& table() { return PlayerProfiles::instance()->getHighScores(); }

    std::unique_ptr<ConfigFile> tuning;
};

}  // namespace

TEST_F(MiniGameProfileTest, SolvedInFearlessModeEarnsThePointsAndAHighScore)
{
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    tune(250);
    play(3, MiniGameBase::SolvedCode);
    EXPECT_TRUE(isDone(3));
    EXPECT_EQ(ann->getScore(), 260);
    EXPECT_EQ(table()[0], HighScoreEntry(260, "Ann"));
    EXPECT_EQ(table()[1], HighScoreEntry(0, "-"));
}

TEST_F(MiniGameProfileTest, SkippingOrCasualPlayEarnsNothing)
{
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    tune(250);
    play(3, MiniGameBase::SkippedCode);
    EXPECT_TRUE(isDone(3));
    ann->setPlayMode(PlayerProfile::Casual);
    play(4, MiniGameBase::SolvedCode);
    EXPECT_TRUE(isDone(4));
    EXPECT_EQ(ann->getScore(), 10);
    EXPECT_EQ(table(), std::vector<HighScoreEntry>(10));
}

TEST_F(MiniGameProfileTest, BonusQuestsSetTheProfilesFlagsSolvedOrSkipped)
{
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    tune(5);
    // The ending leaves the quest itself undone (a later minigame's start
    // may still complete it as the current quest).
    play(27, MiniGameBase::SolvedCode);
    EXPECT_FALSE(isDone(27));
    play(41, MiniGameBase::SkippedCode);
    EXPECT_FALSE(isDone(41));
    EXPECT_TRUE(ann->hasBonusFlag(0));
    EXPECT_TRUE(ann->hasBonusFlag(1));
    EXPECT_FALSE(ann->hasBonusFlag(2));
    play(49, MiniGameBase::SolvedCode);
    EXPECT_FALSE(isDone(49));
    EXPECT_TRUE(ann->hasBonusFlag(2));
    // Points for the two solved ones only, each recorded.
    EXPECT_EQ(ann->getScore(), 20);
    EXPECT_EQ(table()[0], HighScoreEntry(20, "Ann"));
    EXPECT_EQ(table()[1], HighScoreEntry(15, "Ann"));
}

TEST_F(MiniGameProfileTest, WithoutACurrentProfileOnlyTheQuestIsRecorded)
{
    PlayerProfiles::instance()->addProfile("Ann", PlayerProfile::Fearless);
    tune(100);
    play(27, MiniGameBase::SolvedCode);
    play(5, MiniGameBase::SolvedCode);
    EXPECT_FALSE(isDone(27));
    EXPECT_TRUE(isDone(5));
    const PlayerProfile* ann = PlayerProfiles::instance()->profileAt(0);
    EXPECT_FALSE(ann->hasBonusFlag(0));
    EXPECT_EQ(ann->getScore(), 0);
    EXPECT_EQ(table(), std::vector<HighScoreEntry>(10));
}

TEST_F(MiniGameProfileTest, WithoutThePointsSettingASolvedGameAddsNone)
{
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    play(3, MiniGameBase::SolvedCode);
    EXPECT_EQ(ann->getScore(), 10);
    // The table still records the score the player has.
    EXPECT_EQ(table()[0], HighScoreEntry(10, "Ann"));
}
