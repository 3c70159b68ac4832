// The labyrinth: the wall test on the mask's alpha, the walk that stops
// before a wall, the goal test, and the screen over the game's own content
// (the mask's walls decode to alpha 0, the ball stays in its corridor
// however far the pointer jumps, the goal's tolerance is strict).
#include "engine/store/ConfigFile.h"
#include "engine/ui/ClickableImageWidget.h"
#include "minigames/CountdownButton.h"
#include "minigames/LabyrinthMask.h"
#include "minigames/MgLabyrinth.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A w x h mask at (0, 0), opaque but for the transparent column `wallX`.
LabyrinthMask wallColumn(int w, int h, int wallX, int range, int threshold)
{
    std::vector<uint8_t> alpha(static_cast<size_t>(w * h), 255);
    for (int y = 0; y < h; ++y)
        alpha[static_cast<size_t>(y * w + wallX)] = 0;
    return LabyrinthMask(w, h, alpha, Point(0, 0), range, threshold);
}

}  // namespace

TEST(LabyrinthMask, TheDiscAndWhatCountsAsWall)
{
    EXPECT_EQ(wallColumn(20, 20, 10, 2, 64).discSize(), 13);
    EXPECT_EQ(wallColumn(20, 20, 10, 0, 64).discSize(), 1);
    const LabyrinthMask mask = wallColumn(20, 20, 10, 0, 64);
    EXPECT_TRUE(mask.isBlocked(10, 5));
    EXPECT_FALSE(mask.isBlocked(9, 5));
    // Off the mask every point counts 0: a disc wholly outside is a wall.
    EXPECT_TRUE(mask.isBlocked(-5, 5));
    EXPECT_EQ(mask.alphaAt(20, 0), -1);
    // Range 2 over the wall column: 5 of 13 points transparent, mean 156.
    EXPECT_FALSE(wallColumn(20, 20, 10, 2, 64).isBlocked(10, 10));
    EXPECT_TRUE(wallColumn(20, 20, 10, 2, 196).isBlocked(10, 10));
}

TEST(LabyrinthMask, AMeanExactlyAtTheThresholdIsAWall)
{
    // Range 2 beside the wall column (x 11): 3 of 13 points transparent,
    // mean 10 * 255 / 13 = 196.
    EXPECT_TRUE(wallColumn(20, 20, 10, 2, 196).isBlocked(11, 10));
    EXPECT_FALSE(wallColumn(20, 20, 10, 2, 195).isBlocked(11, 10));
    // One pixel of alpha 100 under a disc of range 0.
    const LabyrinthMask grey(1, 1, {100}, Point(0, 0), 0, 100);
    EXPECT_TRUE(grey.isBlocked(0, 0));
    EXPECT_FALSE(LabyrinthMask(1, 1, {100}, Point(0, 0), 0, 99).isBlocked(0, 0));
}

TEST(LabyrinthMask, AWalkStopsAtTheLastFreePixelBeforeAWall)
{
    const LabyrinthMask mask = wallColumn(40, 10, 20, 0, 64);
    EXPECT_EQ(mask.walkTowards(Point(2, 5), Point(39, 5)), Point(19, 5));
    EXPECT_EQ(mask.walkTowards(Point(35, 5), Point(0, 5)), Point(21, 5));
    // However far the target lies.
    EXPECT_EQ(mask.walkTowards(Point(2, 5), Point(5000, 5)), Point(19, 5));
    EXPECT_EQ(mask.walkTowards(Point(2, 2), Point(15, 7)), Point(15, 7));
    // No distance: the start, with no division by it.
    EXPECT_EQ(mask.walkTowards(Point(4, 4), Point(4, 4)), Point(4, 4));
    // A start on the wall does not move.
    EXPECT_EQ(mask.walkTowards(Point(20, 4), Point(2, 4)), Point(20, 4));
}

TEST(LabyrinthMask, TheGoalIsReachedStrictlyInsideTheTolerance)
{
    EXPECT_FALSE(LabyrinthMask::reachesGoal(Point(120, 100), Point(100, 100), 20));
    EXPECT_FALSE(LabyrinthMask::reachesGoal(Point(112, 116), Point(100, 100), 20));
    EXPECT_TRUE(LabyrinthMask::reachesGoal(Point(119, 100), Point(100, 100), 20));
    EXPECT_FALSE(LabyrinthMask::reachesGoal(Point(0, 0), Point(0, 0), 0));
}

namespace {

class LabyrinthScreenTest : public ::testing::Test {
protected:
    LabyrinthScreenTest() { loadQuestChain(folder, 73); }
    ~LabyrinthScreenTest() override { setGameParameters(nullptr); }

    // The game's tuning file with `extra` lines winning over its own.
    void tune(const std::string& extra)
    {
        std::ifstream in("content/config/GameParameters.cfg", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        text.insert(text.find("EndConfigFile"), extra);
        tuning = std::make_unique<ConfigFile>(folder.write("Tuning.cfg", text));
        setGameParameters(tuning.get());
    }
    MgLabyrinth* open(int questId)
    {
        auto* game = new MgLabyrinth(questId);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
        return game;
    }
    void send(MgLabyrinth& game, int type, int x, int y)
    {
        MouseEvent e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.dx = 1;
        e.buttons = type == MouseEvent::Release ? 0 : MouseEvent::Left;
        game.onMouse(e);
    }

    SingletonReset singletons;
    TempFolder folder;
    std::unique_ptr<ConfigFile> tuning;
    ScreenTestApp app;
};

}  // namespace

TEST_F(LabyrinthScreenTest, TheBallStaysInItsCorridorHoweverFarThePointerJumps)
{
    tune("");
    MgLabyrinth* game = open(43);
    const LabyrinthMask& mask = game->getMask();
    ASSERT_EQ(mask.getWidth(), 800);
    const Point start = game->ballCentre();
    // The walls of the mask decode to exactly 0, the corridors to 255.
    EXPECT_EQ(mask.alphaAt(start.x, start.y), 255);
    EXPECT_EQ(mask.alphaAt(start.x, start.y + 40), 0);
    EXPECT_EQ(mask.alphaAt(mask.getOrigin().x + 1, mask.getOrigin().y + 1), 0);
    // The start cell opens to the right only: straight down is a wall.
    send(*game, MouseEvent::Press, start.x, start.y);
    ASSERT_TRUE(game->isDragging());
    send(*game, MouseEvent::Move, start.x, start.y + 400);
    const Point down = game->ballCentre();
    EXPECT_EQ(down.x, start.x);
    EXPECT_GT(down.y, start.y);
    EXPECT_LT(down.y, start.y + 20 + 6);
    EXPECT_FALSE(mask.isBlocked(down.x, down.y));
    // Up and to the left at once, as far as the window goes: across to the
    // wall, then up to the wall.
    send(*game, MouseEvent::Move, 0, 0);
    const Point corner = game->ballCentre();
    EXPECT_LT(corner.x, start.x);
    EXPECT_LT(corner.y, start.y);
    EXPECT_GT(corner.x, start.x - 20 - 6);
    EXPECT_GT(corner.y, start.y - 20 - 6);
    send(*game, MouseEvent::Release, corner.x, corner.y);
    EXPECT_FALSE(game->isFinishing());
}

TEST_F(LabyrinthScreenTest, AReleaseExactlyAtTheToleranceDoesNotFinish)
{
    // The ball starts 20 pixels above the goal (the corridor comes from
    // there); the tolerance is 20.
    tune("MgLabyrinth.Quest43.StartX = 872\nMgLabyrinth.Quest43.StartY = 604\nMgLabyrinth.GoalTolerance = 20\n");
    MgLabyrinth* game = open(43);
    ASSERT_EQ(game->getGoal(), Point(872, 624));
    send(*game, MouseEvent::Press, 872, 604);
    send(*game, MouseEvent::Release, 872, 604);
    EXPECT_FALSE(game->isFinishing());
    send(*game, MouseEvent::Press, 872, 604);
    send(*game, MouseEvent::Move, 872, 607);
    EXPECT_EQ(game->ballCentre(), Point(872, 607));
    send(*game, MouseEvent::Release, 872, 607);
    ASSERT_TRUE(game->isFinishing());
    EXPECT_EQ(game->ballCentre(), Point(872, 624));
    // 1000 ms of the finished picture, then 700 ms: the message.
    app.frames(1600 / 20, 20);
    EXPECT_FALSE(game->isFinishedShown());
    app.frames(10, 20);
    EXPECT_TRUE(game->isFinishedShown());
    EXPECT_EQ(game->getFinalAlpha(), 255);
}

// The ball dropped on the goal wins the game, though the finished picture
// fades in for a second before the finished message: help and skip (usable
// at once here) do nothing from the winning release on, so no tutorial
// opens under the finished message and the game is not closed as skipped.
TEST_F(LabyrinthScreenTest, HelpAndSkipDoNothingOnceTheBallIsOnTheGoal)
{
    tune("MgLabyrinth.Quest43.StartX = 872\nMgLabyrinth.Quest43.StartY = 610\nMgLabyrinth.GoalTolerance = 20\n"
         "MiniGameBase.SkipButton.CountdownTime = 0\n");
    MgLabyrinth* game = open(43);
    ASSERT_TRUE(game->getSkipButton()->isFinished());
    send(*game, MouseEvent::Press, 872, 610);
    send(*game, MouseEvent::Release, 872, 610);
    ASSERT_TRUE(game->isFinishing());
    EXPECT_TRUE(game->isSolved());
    app.frames(10, 20);
    game->onButton(MiniGameBase::HelpButtonId, 1);
    game->onButton(MiniGameBase::SkipButtonId, 1);
    EXPECT_EQ(game->getOpenDialog(), 0);
    EXPECT_EQ(game->getState(), ScreenBase::Running);
    app.frames(1700 / 20, 20);
    ASSERT_TRUE(game->isFinishedShown());
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
    confirmMessage(app);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SolvedCode);
}
