// Zodiac signs and face drawing without a window: the snap search and the
// timing keys, the take-star machine, both description files, and the face
// drawing screen on the fake application over incomplete or missing files.
#include "engine/store/ConfigFile.h"
#include "game/Quest.h"
#include "minigames/FaceDrawingFile.h"
#include "minigames/MgFaceDrawing.h"
#include "minigames/StarChain.h"
#include "minigames/StarWidget.h"
#include "minigames/ZodiacBoard.h"
#include "minigames/ZodiacSignsFile.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Three signs starting at the bottom; places 0 far left, 1 and 2 side by
// side.
ZodiacBoard threeSigns()
{
    return ZodiacBoard({Point(0, 600), Point(100, 600), Point(200, 600)},
                       {Point(100, 100), Point(400, 100), Point(420, 100)}, 30);
}

}  // namespace

TEST(ZodiacBoard, ASignSnapsToTheFirstFreePlaceInReachAndIsPlacedOnlyOnItsOwn)
{
    ZodiacBoard board = threeSigns();
    // Sign 0 on sign 1's place: it stays there, not placed.
    ZodiacBoard::Drop d = board.drop(0, Point(402, 100));
    EXPECT_EQ(d.place, 1);
    EXPECT_FALSE(d.placed);
    EXPECT_EQ(board.position(0), Point(400, 100));
    EXPECT_TRUE(board.isHeld(1, 2));
    // Sign 1's own place is held: the next free place in reach is taken.
    d = board.drop(1, Point(405, 100));
    EXPECT_EQ(d.place, 2);
    EXPECT_FALSE(board.isPlaced(1));
    // Both places held: sign 2 goes home.
    d = board.drop(2, Point(410, 100));
    EXPECT_EQ(d.place, -1);
    EXPECT_EQ(board.position(2), Point(200, 600));
    // Sign 0 can be picked again and placed on its own place.
    d = board.drop(0, Point(100, 100));
    EXPECT_TRUE(d.placed);
    EXPECT_TRUE(board.isPlaced(0));
    EXPECT_FALSE(board.allPlaced());
}

TEST(ZodiacBoard, ATruncatedDistanceEqualToTheSensitivityDoesNotSnap)
{
    ZodiacBoard board = threeSigns();
    EXPECT_EQ(board.snapTarget(0, Point(118, 124)), -1);  // exactly 30
    EXPECT_EQ(board.snapTarget(0, Point(121, 121)), 0);   // 29.7, truncated 29
    EXPECT_FALSE(ZodiacBoard().allPlaced());
}

TEST(ZodiacBoard, MissingTimingKeysKeepTheGlowTimeAndTakeItForTheReturn)
{
    ZodiacBoard::setTiming(800, std::nullopt);
    EXPECT_EQ(ZodiacBoard::glowFadeTime(), 800);
    EXPECT_EQ(ZodiacBoard::translateTime(), 800);
    ZodiacBoard::setTiming(std::nullopt, 300);
    EXPECT_EQ(ZodiacBoard::glowFadeTime(), 800);
    EXPECT_EQ(ZodiacBoard::translateTime(), 300);
    ZodiacBoard::setTiming(std::nullopt, std::nullopt);
    EXPECT_EQ(ZodiacBoard::translateTime(), 800);
}

TEST(ZodiacSignsFile, SignsAreReadInOrderAndIncompleteOnesLeftOut)
{
    TempFolder folder;
    const std::string path = folder.write("Quest.xml", R"(<Game>
  <Sign image="s1" hasGlow="true"><Init x="1" y="2"/><Final x="3" y="4"/><Constellation image="c1" x="5"/></Sign>
  <Sign><Init/><Final/><Constellation image="c"/></Sign>
  <Sign image="s2"><Init x="1"/><Constellation image="c2"/></Sign>
  <Sign image="s3" hasGlow="TRUE"><Init/><Final x="9"/><Constellation image="c3" x="7" y="8"/></Sign>
</Game>)");
    const std::vector<ZodiacSignDesc> signs = ZodiacSignsFile::load(path);
    ASSERT_EQ(signs.size(), 2u);
    EXPECT_EQ(signs[0].image, "s1");
    EXPECT_TRUE(signs[0].hasGlow);
    EXPECT_EQ(signs[0].init, Point(1, 2));
    EXPECT_EQ(signs[0].final, Point(3, 4));
    EXPECT_EQ(signs[0].constellationImage, "c1");
    EXPECT_EQ(signs[0].constellation, Point(5, 0));
    EXPECT_EQ(signs[1].image, "s3");
    EXPECT_FALSE(signs[1].hasGlow);
    EXPECT_EQ(signs[1].final, Point(9, 0));
    EXPECT_TRUE(ZodiacSignsFile::load(folder.path("missing.xml")).empty());
    EXPECT_TRUE(ZodiacSignsFile::load(folder.write("other.xml", "<Other><Sign image=\"s\"/></Other>")).empty());
}

TEST(StarChain, StarsJoinInOrderAndOneOutOfTurnShowsRedUntilLetGo)
{
    StarChain chain(4);
    EXPECT_EQ(chain.take(0), StarChain::Take::First);
    EXPECT_EQ(chain.take(2), StarChain::Take::Wrong);
    EXPECT_EQ(chain.getLastWrong(), 2);
    EXPECT_EQ(chain.getRed(), 2);
    chain.release();
    EXPECT_EQ(chain.getRed(), -1);
    EXPECT_EQ(chain.getLastWrong(), 2);
    EXPECT_EQ(chain.take(0), StarChain::Take::Nothing);
    EXPECT_EQ(chain.take(1), StarChain::Take::Joined);
    EXPECT_EQ(chain.take(1), StarChain::Take::Nothing);
    EXPECT_EQ(chain.take(2), StarChain::Take::Joined);
    EXPECT_FALSE(chain.isSolved());
    EXPECT_EQ(chain.take(3), StarChain::Take::Joined);
    EXPECT_EQ(chain.getLastConnected(), 3);
    EXPECT_TRUE(chain.isSolved());
    StarChain single(1);
    single.take(0);
    EXPECT_TRUE(single.isSolved());
    StarChain none(0);
    EXPECT_EQ(none.take(0), StarChain::Take::Nothing);
    EXPECT_FALSE(none.isSolved());
}

TEST(FaceDrawingFile, StarsLinesAndOutlineAreRead)
{
    TempFolder folder;
    const FaceDrawingDesc desc = FaceDrawingFile::load(folder.write("Face.xml", R"(<FaceDrawingGame>
  <Star x="10" y="20"/><Connection x="1" y="2"/><Star x="30"/><Outline x="5" y="6"/>
</FaceDrawingGame>)"));
    EXPECT_EQ(desc.stars, (std::vector<Point>{Point(10, 20), Point(30, 0)}));
    EXPECT_EQ(desc.connections, (std::vector<Point>{Point(1, 2)}));
    EXPECT_TRUE(desc.hasOutline);
    EXPECT_EQ(desc.outline, Point(5, 6));
    const FaceDrawingDesc none = FaceDrawingFile::load(folder.path("missing.xml"));
    EXPECT_TRUE(none.stars.empty());
    EXPECT_FALSE(none.hasOutline);
}

// ---------------------------------------------------------------------------
// The face drawing screen over files the content does not have

namespace {

class FaceDrawingScreen : public ::testing::Test {
protected:
    FaceDrawingScreen() { loadQuestChain(folder, 73); }
    ~FaceDrawingScreen() override { setGameParameters(nullptr); }

    // The game with its description file (a name relative to the game's
    // folder) and tuning keys of its own.
    MgFaceDrawing* open(const std::string& file)
    {
        tuning = std::make_unique<ConfigFile>(folder.write("Tuning.cfg", "MgFaceDrawing.GameXmlFile = " + file +
                                                                           "\nMiniGameBase.FadeInTransition = 0\n"
                                                                           "MiniGameBase.FadeOutTransition = 0\n"));
        setGameParameters(tuning.get());
        auto* game = new MgFaceDrawing(35);
        game->show(nullptr);
        app.frames(5);
        confirmMessage(app);
        return game;
    }
    std::string fromGameFolder(const std::string& path)
    {
        return std::filesystem::relative(path, FaceDrawingFile::Folder).string();
    }

    SingletonReset singletons;
    TempFolder folder;
    std::unique_ptr<ConfigFile> tuning;
    ScreenTestApp app;
};

}  // namespace

TEST_F(FaceDrawingScreen, WithoutItsFileTheGameOpensAndCanBeSkipped)
{
    MgFaceDrawing* game = open("Missing.xml");
    EXPECT_TRUE(game->getStars().empty());
    EXPECT_EQ(game->getOutline(), nullptr);
    app.frames(10);
    EXPECT_EQ(game->puzzleState(), "joined=-1/0 red=-1");
    game->onButton(MiniGameBase::SkipButtonId, 1);
    app.frames(3);
    EXPECT_TRUE(app.stack.empty());
    EXPECT_TRUE(QuestManager::instance()->questAt(35)->done);
}

TEST_F(FaceDrawingScreen, JoinsWithoutALineAndAMissingOutlineStillSolveThePuzzle)
{
    const std::string file = folder.write("Short.xml", R"(<FaceDrawingGame>
  <Star x="100" y="100"/><Star x="300" y="100"/><Star x="500" y="100"/><Connection x="110" y="110"/>
</FaceDrawingGame>)");
    MgFaceDrawing* game = open(fromGameFolder(file));
    ASSERT_EQ(game->getStars().size(), 3u);
    ASSERT_EQ(game->getConnections().size(), 1u);
    EXPECT_TRUE(game->getStars()[0]->isPulsing());
    for (int i = 0; i < 3; ++i) {
        game->onButton(i, 0);
        game->onButton(i, 1);
    }
    EXPECT_TRUE(game->getChain().isSolved());
    EXPECT_TRUE(game->getConnections()[0]->isVisible());
    EXPECT_TRUE(game->getStars()[2]->isPopping());
    app.frames(60);  // 2000 ms of outline (none here), then 700 ms
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
}

TEST_F(FaceDrawingScreen, AStarTakenOutOfTurnIsRedUntilTheButtonIsLetGo)
{
    const std::string file = folder.write("Two.xml", R"(<FaceDrawingGame>
  <Star x="100" y="100"/><Star x="300" y="100"/><Connection x="110" y="110"/><Outline x="0" y="0"/>
</FaceDrawingGame>)");
    MgFaceDrawing* game = open(fromGameFolder(file));
    StarWidget* second = game->getStars()[1];
    game->onButton(1, 0);
    EXPECT_TRUE(second->isWrongShown());
    game->onButton(1, 1);
    EXPECT_FALSE(second->isWrongShown());
    game->onButton(0, 0);
    EXPECT_FALSE(game->getStars()[0]->isPulsing());
    game->onButton(1, 0);
    EXPECT_TRUE(game->getChain().isSolved());
    app.frames(20);
    EXPECT_GT(game->getOutlineAlpha(), 0);
    EXPECT_LT(game->getOutlineAlpha(), 255);
}

TEST_F(FaceDrawingScreen, OneFastMotionJoinsEveryStarItCrossesInTurn)
{
    // The stars' centres lie on one line, 200 pixels apart: the motion
    // below reaches the screen as one event that ends on the third star.
    // Taken at its end point only, the third star would turn red and the
    // second stay unjoined; taken in the frame's 5-pixel steps, the stroke
    // joins both, as a slow one does.
    const std::string file = folder.write("Line.xml", R"(<FaceDrawingGame>
  <Star x="100" y="100"/><Star x="300" y="100"/><Star x="500" y="100"/>
  <Connection x="110" y="110"/><Connection x="310" y="110"/><Outline x="0" y="0"/>
</FaceDrawingGame>)");
    MgFaceDrawing* game = open(fromGameFolder(file));
    MouseEvent press;
    press.type = MouseEvent::Press;
    press.x = press.y = 124;
    press.buttons = MouseEvent::Left;
    game->onMouse(press);
    ASSERT_EQ(game->getChain().getLastConnected(), 0);
    MouseEvent stroke;
    stroke.type = MouseEvent::Move;
    stroke.dx = 400;
    stroke.x = 524;
    stroke.y = 124;
    stroke.buttons = MouseEvent::Left;
    game->onMouse(stroke);
    EXPECT_EQ(game->getChain().getLastConnected(), 2);
    EXPECT_EQ(game->getChain().getRed(), -1);
    EXPECT_TRUE(game->getChain().isSolved());
    EXPECT_TRUE(game->getConnections()[1]->isVisible());
}
