// The minigame frame around the puzzle: motion cut into steps, the skip
// button's countdown, Escape and the skip question, help, the finished
// message, and the quest without a skip button.
#include "engine/store/ConfigFile.h"
#include "engine/ui/InputEvents.h"
#include "game/ItemRegistry.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "minigames/CountdownButton.h"
#include "minigames/MgLabyrinth.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/minigames/MiniGameTestSupport.h"
#include "tests/support/TestTextures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

MouseEvent motion(int dx, int dy, int x, int y)
{
    MouseEvent e;
    e.dx = dx;
    e.dy = dy;
    e.x = x;
    e.y = y;
    e.buttons = MouseEvent::Left;
    return e;
}

}  // namespace

TEST(MiniGameMotion, LongMovesAreCutIntoFivePixelStepsEndingOnThePointer)
{
    const std::vector<MouseEvent> steps = MiniGameBase::splitMotion(motion(30, 40, 130, 140));
    ASSERT_EQ(steps.size(), 10u);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].dx, 3);
        EXPECT_EQ(steps[i].dy, 4);
        EXPECT_EQ(steps[i].x, 100 + 3 * static_cast<int>(i + 1));
        EXPECT_EQ(steps[i].y, 100 + 4 * static_cast<int>(i + 1));
        EXPECT_EQ(steps[i].type, MouseEvent::Move);
        EXPECT_EQ(steps[i].buttons, MouseEvent::Left);
    }
    // Leftwards, and a short move that stays one event.
    const std::vector<MouseEvent> back = MiniGameBase::splitMotion(motion(-12, 0, 50, 7));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].x, 56);
    EXPECT_EQ(back[1].x, 50);
    const std::vector<MouseEvent> small = MiniGameBase::splitMotion(motion(3, 1, 9, 9));
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].dx, 3);
    EXPECT_EQ(small[0].x, 9);
}

TEST(MiniGameCountdown, TheBarGrowsFromTheMiddleByEvenColumns)
{
    EXPECT_EQ(CountdownButton::filledColumns(5000, 10000, 242), 120);
    const int first = CountdownButton::firstFilledColumn(120, 242);
    // Drawn at x 7 + first ... : 68 to 187.
    EXPECT_EQ(7 + first, 68);
    EXPECT_EQ(7 + first + 119, 187);
    EXPECT_EQ(CountdownButton::filledColumns(10000, 10000, 242), 0);
    EXPECT_EQ(CountdownButton::filledColumns(0, 10000, 242), 242);
    // Odd counts are made even.
    EXPECT_EQ(CountdownButton::filledColumns(9950, 10000, 242) % 2, 0);
    EXPECT_EQ(CountdownButton::secondsText(9999), "9");
    EXPECT_EQ(CountdownButton::secondsText(999), "0");
}

TEST(MiniGameCountdown, ItCountsOnlyWhileCountingAndThenCanBeClicked)
{
    CountdownButton button(nullptr, nullptr, nullptr, 3000);
    button.setCaptionText("Skip", nullptr);
    EXPECT_FALSE(button.isEnabled());
    button.update(1000, nullptr);
    EXPECT_EQ(button.getRemainingMs(), 3000);
    EXPECT_EQ(button.getShownText(), "3");
    button.resumeCountdown();
    button.update(1000, nullptr);
    EXPECT_EQ(button.getRemainingMs(), 2000);
    button.pauseCountdown();
    button.update(1500, nullptr);
    EXPECT_EQ(button.getRemainingMs(), 2000);
    button.resumeCountdown();
    button.update(1000, nullptr);
    button.update(1000, nullptr);
    EXPECT_EQ(button.getRemainingMs(), 0);
    EXPECT_TRUE(button.isFinished());
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.getShownText(), "Skip");
}

TEST(MiniGameCountdown, NoCountdownTimeMeansUsableAtOnce)
{
    // A zero total would divide by zero in the bar; it is finished instead.
    for (int total : {0, -5}) {
        CountdownButton button(nullptr, nullptr, nullptr, total);
        EXPECT_TRUE(button.isFinished());
        EXPECT_TRUE(button.isEnabled());
        EXPECT_EQ(CountdownButton::filledColumns(button.getRemainingMs(), total, 242), 242);
    }
}

namespace {

// Which picture each draw used, and with which alpha.
class TextureGraphics : public RecordingGraphics {
public:
    void drawImage(int, int, GLTexture* texture, Color c) override { drawn.emplace_back(texture, c.a); }
    std::vector<std::pair<GLTexture*, int>> drawn;
};

}  // namespace

TEST(MiniGameCountdown, TheOverImageFadesInOnTopOfTheBarAndOutAgain)
{
    auto normal = solidTexture(8, 4, Color(10, 10, 10, 255));
    auto over = solidTexture(8, 4, Color(200, 200, 200, 255));
    auto fill = solidTexture(1, 1, Color(0, 255, 0, 255));
    CountdownButton button(normal.get(), over.get(), nullptr, 0);
    button.setFill(fill.get(), 1, 1, 6);
    button.onMouseEnter();
    EXPECT_EQ(button.getCurrentImage(), normal.get());
    button.update(CountdownButton::HoverFadeMs / 2, nullptr);
    const int half = button.getHoverAlpha();
    EXPECT_GT(half, 100);
    EXPECT_LT(half, 155);
    TextureGraphics g;
    button.draw(g, nullptr);
    // The normal picture, the full bar, then the over picture at the fade's
    // alpha on top.
    ASSERT_EQ(g.drawn.size(), 8u);
    EXPECT_EQ(g.drawn.front(), std::make_pair(normal.get(), 255));
    EXPECT_EQ(g.drawn[1].first, fill.get());
    EXPECT_EQ(g.drawn.back(), std::make_pair(over.get(), half));
    button.update(CountdownButton::HoverFadeMs, nullptr);
    EXPECT_EQ(button.getHoverAlpha(), 255);
    // Leaving takes it back from where it is; gone, it is not drawn.
    button.onMouseLeave();
    button.update(CountdownButton::HoverFadeMs, nullptr);
    EXPECT_EQ(button.getHoverAlpha(), 0);
    TextureGraphics after;
    button.draw(after, nullptr);
    EXPECT_EQ(after.drawn.size(), 7u);
    EXPECT_NE(after.drawn.back().first, over.get());
}

namespace {

// A placeholder game over a scene, with a profile and a tuning table whose
// skip countdown is 3000 ms.
class MiniGameFrameTest : public ::testing::Test {
protected:
    MiniGameFrameTest()
    {
        PlayerProfiles::destroyInstance();
        ItemRegistry::destroyInstance();
        loadQuestChain(folder, 80);
    }
    ~MiniGameFrameTest() override
    {
        setGameParameters(nullptr);
        PlayerProfiles::destroyInstance();
        ItemRegistry::destroyInstance();
    }

    void tune(int countdownMs)
    {
        tuning = std::make_unique<ConfigFile>(folder.write(
            "Tuning.cfg", "MiniGameBase.SkipButton.CountdownTime = " + std::to_string(countdownMs) +
                              "\nPoints.MiniGame = 40\nEndConfigFile\n"));
        setGameParameters(tuning.get());
    }
    PlayerProfile* player(int mode)
    {
        PlayerProfiles* list = PlayerProfiles::instance();
        list->addProfile("Ann", mode);
        list->select(0);
        return list->currentProfile();
    }
    // Shows the game over a scene and confirms the tutorial.
    template <class Game>
    Game* open(int questId)
    {
        app.pushScreen(new SpyScreen(ScreenAttributes()));
        auto* game = new Game(questId);
        app.pushScreen(game);
        app.frames(20);
        confirmMessage(app);
        return game;
    }
    void escape(MiniGameBase* game)
    {
        KeyEvent key;
        key.key = 27;
        game->onKey(&key);
    }
    // Presses a button of the frame's open message `dialogId` and lets its
    // close animation run out.
    void press(MiniGameBase* game, int dialogId, int buttonId)
    {
        MessageDialogSimple* dialog = nullptr;
        for (Widget* w : game->getWidgetManager()->getWidgets()) {
            auto* d = dynamic_cast<MessageDialogSimple*>(w);
            if (d && !d->isClosing() && d->getId() == dialogId)
                dialog = d;
        }
        ASSERT_NE(dialog, nullptr) << "message " << dialogId << " is not open";
        for (int i = 0; i < 20 && !dialog->isContentsShown(); ++i)
            app.frames(1);
        dialog->onButton(buttonId, 1);
        app.frames(10);
    }
    int dialogsOn(MiniGameBase* game)
    {
        int count = 0;
        for (Widget* w : game->getWidgetManager()->getWidgets())
            count += dynamic_cast<MessageDialogSimple*>(w) ? 1 : 0;
        return count;
    }

    SingletonReset singletons;
    TempFolder folder;
    ScreenTestApp app;
    std::unique_ptr<ConfigFile> tuning;
};

}  // namespace

TEST_F(MiniGameFrameTest, EscapeSkipsOnlyOnceTheCountdownHasRunOut)
{
    tune(3000);
    PlayerProfile* ann = player(PlayerProfile::Casual);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    app.frames(20);
    EXPECT_LT(game->getSkipButton()->getRemainingMs(), 2000);
    escape(game);
    EXPECT_EQ(game->getState(), ScreenBase::Idle);
    app.frames(50);
    ASSERT_TRUE(game->getSkipButton()->isFinished());
    escape(game);
    EXPECT_EQ(game->getState(), ScreenBase::Leaving);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SkippedCode);
    app.frames(20);
    EXPECT_EQ(app.stack.size(), 1u);
    EXPECT_TRUE(QuestManager::instance()->questAt(3)->done);
    EXPECT_EQ(ann->getScore(), 0);
}

TEST_F(MiniGameFrameTest, FearlessSkipAsksOnceAndNoGoesBackToTheGame)
{
    tune(3000);
    player(PlayerProfile::Fearless);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    app.frames(70);
    escape(game);
    ASSERT_EQ(game->getOpenDialog(), MiniGameBase::SkipQuestionId);
    EXPECT_FALSE(game->isPlayTimeRunning());
    EXPECT_FALSE(game->getSkipButton()->isCounting());
    // A second Escape while the question is open opens no second one.
    escape(game);
    EXPECT_EQ(dialogsOn(game), 1);
    answerQuestion(app, 0);
    EXPECT_EQ(game->getState(), ScreenBase::Idle);
    EXPECT_TRUE(game->isPlayTimeRunning());
    EXPECT_EQ(game->getSkipButton()->getShownText(), MiniGameBase::label("SKIP"));
    // Asked again, yes leaves without points.
    escape(game);
    answerQuestion(app, 1);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SkippedCode);
    app.frames(20);
    EXPECT_TRUE(QuestManager::instance()->questAt(3)->done);
    EXPECT_EQ(PlayerProfiles::instance()->currentProfile()->getScore(), 0);
}

TEST_F(MiniGameFrameTest, HelpPausesTheCountdownUntilTheTutorialCloses)
{
    tune(5000);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    app.frames(10);
    game->onButton(MiniGameBase::HelpButtonId, 1);
    ASSERT_EQ(game->getOpenDialog(), MiniGameBase::TutorialDialogId);
    const int held = game->getSkipButton()->getRemainingMs();
    app.frames(30);
    EXPECT_EQ(game->getSkipButton()->getRemainingMs(), held);
    EXPECT_FALSE(game->isPlayTimeRunning());
    confirmMessage(app);
    EXPECT_TRUE(game->isPlayTimeRunning());
    app.frames(4);
    EXPECT_LT(game->getSkipButton()->getRemainingMs(), held);
}

TEST_F(MiniGameFrameTest, ASolvedGameIsNotReclosedAsSkipped)
{
    tune(1000);
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    app.frames(30);
    ASSERT_TRUE(game->getSkipButton()->isFinished());
    // Solved twice: one finished message.
    game->onButtonEvent(PlaceholderMiniGame::SolvedButtonId, 1);
    game->onButtonEvent(PlaceholderMiniGame::SolvedButtonId, 1);
    app.frames(16);
    ASSERT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
    EXPECT_EQ(dialogsOn(game), 1);
    // Escape over the finished message would ask to skip the solved game.
    escape(game);
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
    EXPECT_EQ(dialogsOn(game), 1);
    confirmMessage(app);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SolvedCode);
    app.frames(20);
    EXPECT_EQ(ann->getScore(), 40);
}

TEST_F(MiniGameFrameTest, TheFinishedMessageStopsTheCountdown)
{
    tune(5000);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    game->onButtonEvent(PlaceholderMiniGame::SolvedButtonId, 1);
    app.frames(15);
    ASSERT_TRUE(game->isFinishedShown());
    const int left = game->getSkipButton()->getRemainingMs();
    app.frames(20);
    EXPECT_EQ(game->getSkipButton()->getRemainingMs(), left);
    EXPECT_GT(left, 0);
}

TEST_F(MiniGameFrameTest, HelpAndSkipDoNothingOnceTheGameIsSolved)
{
    tune(5000);
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    CountdownButton* skip = game->getSkipButton();
    // Solved, and during the 700 ms before the finished message the player
    // asks for help and for the skip question: neither opens, so nothing
    // lies under the finished message.
    game->onButtonEvent(PlaceholderMiniGame::SolvedButtonId, 1);
    game->onButton(MiniGameBase::HelpButtonId, 1);
    game->onButtonEvent(PlaceholderMiniGame::SkipNowButtonId, 1);
    EXPECT_EQ(game->getOpenDialog(), 0);
    EXPECT_EQ(dialogsOn(game), 0);
    app.frames(15);
    ASSERT_TRUE(game->isFinishedShown());
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
    EXPECT_EQ(dialogsOn(game), 1);
    const int left = skip->getRemainingMs();
    EXPECT_GT(left, 0);
    // Nor over the finished message; the countdown stays where it stopped.
    game->onButton(MiniGameBase::HelpButtonId, 1);
    game->onButtonEvent(PlaceholderMiniGame::SkipNowButtonId, 1);
    EXPECT_EQ(dialogsOn(game), 1);
    app.frames(20);
    EXPECT_FALSE(skip->isCounting());
    EXPECT_EQ(skip->getRemainingMs(), left);
    press(game, MiniGameBase::FinishedDialogId, MessageDialogSimple::ConfirmButtonId);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SolvedCode);
    app.frames(20);
    EXPECT_EQ(ann->getScore(), 40);
}

// A tutorial opened before the game was won (a game whose own timing wins
// while it is open): the finished message waits for it to close, and the
// countdown does not start again in between.
TEST_F(MiniGameFrameTest, TheFinishedMessageWaitsForATutorialOpenedBeforeTheWin)
{
    tune(5000);
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    game->onButton(MiniGameBase::HelpButtonId, 1);
    ASSERT_EQ(game->getOpenDialog(), MiniGameBase::TutorialDialogId);
    game->onButtonEvent(PlaceholderMiniGame::SolvedButtonId, 1);
    app.frames(30);
    EXPECT_FALSE(game->isFinishedShown());
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::TutorialDialogId);
    EXPECT_EQ(dialogsOn(game), 1);
    const int left = game->getSkipButton()->getRemainingMs();
    press(game, MiniGameBase::TutorialDialogId, MessageDialogSimple::ConfirmButtonId);
    ASSERT_TRUE(game->isFinishedShown());
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
    EXPECT_EQ(dialogsOn(game), 1);
    app.frames(20);
    EXPECT_EQ(game->getSkipButton()->getRemainingMs(), left);
    press(game, MiniGameBase::FinishedDialogId, MessageDialogSimple::ConfirmButtonId);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SolvedCode);
    app.frames(20);
    EXPECT_EQ(ann->getScore(), 40);
}

// The skip question opened before the win: the finished message waits for
// the answer, and even a "yes" keeps the solved ending and its points.
TEST_F(MiniGameFrameTest, AYesToASkipQuestionOpenedBeforeTheWinKeepsTheSolvedEnding)
{
    tune(1000);
    PlayerProfile* ann = player(PlayerProfile::Fearless);
    FrameOnlyGame* game = open<FrameOnlyGame>(3);
    app.frames(30);
    ASSERT_TRUE(game->getSkipButton()->isFinished());
    escape(game);
    ASSERT_EQ(game->getOpenDialog(), MiniGameBase::SkipQuestionId);
    game->onButtonEvent(PlaceholderMiniGame::SolvedButtonId, 1);
    app.frames(30);
    EXPECT_FALSE(game->isFinishedShown());
    EXPECT_EQ(dialogsOn(game), 1);
    answerQuestion(app, 1);
    EXPECT_EQ(game->getState(), ScreenBase::Running);
    ASSERT_TRUE(game->isFinishedShown());
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
    press(game, MiniGameBase::FinishedDialogId, MessageDialogSimple::ConfirmButtonId);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SolvedCode);
    app.frames(20);
    EXPECT_TRUE(QuestManager::instance()->questAt(3)->done);
    EXPECT_EQ(ann->getScore(), 40);
}

TEST_F(MiniGameFrameTest, TheLastLabyrinthHasNoSkipButtonAndIgnoresEscape)
{
    tune(0);
    MgLabyrinth* game = open<MgLabyrinth>(MiniGameBase::NoSkipQuest);
    EXPECT_EQ(game->getSkipButton(), nullptr);
    EXPECT_NE(game->getHelpButton(), nullptr);
    escape(game);
    EXPECT_EQ(game->getState(), ScreenBase::Idle);
    EXPECT_EQ(game->getOpenDialog(), 0);
}

TEST_F(MiniGameFrameTest, QuestZeroHasNoTutorialText)
{
    app.pushScreen(new FrameOnlyGame(0));
    app.frames(20);
    MessageDialogSimple* tutorial = openMessage(app);
    ASSERT_NE(tutorial, nullptr);
    EXPECT_EQ(tutorial->getText(), "");
    auto* game = dynamic_cast<MiniGameBase*>(app.top());
    EXPECT_EQ(game->getQuestKey(), "Quest0");
}
