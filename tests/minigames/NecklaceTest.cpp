// The necklace pair of quest 7: the rules of match elements and of
// whack-a-mole without a window, a squirrel's appearance in stepped time,
// and both screens on the fake application over the game's own tuning file
// and pictures (dragging pieces home, the chain from whack-a-mole to match
// elements, the game standing still while a message is open).
#include "engine/store/ConfigFile.h"
#include "engine/ui/InputEvents.h"
#include "game/Quest.h"
#include "minigames/CustomImageWidget.h"
#include "minigames/MatchElementsBoard.h"
#include "minigames/MgMatchElements.h"
#include "minigames/MgWhackAMole.h"
#include "minigames/NeklacePiece.h"
#include "minigames/SquirrelMotion.h"
#include "minigames/SquirrelWidget.h"
#include "minigames/WhackAMoleRules.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<Point> homes(int n)
{
    std::vector<Point> out;
    for (int i = 0; i < n; ++i)
        out.emplace_back(100 + 70 * i, 300);
    return out;
}

// A random source that returns the given numbers in turn (each kept below n).
WhackAMoleRules::Random sequence(std::vector<int> values)
{
    auto next = std::make_shared<size_t>(0);
    return [values, next](int n) { return values[(*next)++ % values.size()] % n; };
}

}  // namespace

TEST(MatchElementsBoard, DraggedPiecesKeepFiftyPixelsOnScreen)
{
    EXPECT_EQ(MatchElementsBoard::keepOnScreen(-100, 64, 1024), -14);
    EXPECT_EQ(MatchElementsBoard::keepOnScreen(2000, 64, 1024), 974);
    EXPECT_EQ(MatchElementsBoard::keepOnScreen(300, 64, 1024), 300);
    EXPECT_EQ(MatchElementsBoard::keepOnScreen(-14, 64, 1024), -14);
}

TEST(MatchElementsBoard, APieceFitsStrictlyInsideTheSensitivity)
{
    MatchElementsBoard board({Point(100, 100)}, 25);
    EXPECT_FALSE(board.fits(0, 125, 100));
    EXPECT_FALSE(board.fits(0, 115, 120));  // 15, 20: exactly 25 away
    EXPECT_TRUE(board.fits(0, 124, 100));
    EXPECT_FALSE(board.drop(0, 90, 130));
    EXPECT_FALSE(board.isPlaced(0));
    EXPECT_TRUE(board.drop(0, 110, 110));
    EXPECT_TRUE(board.allPlaced());
    // Placed pieces stay placed and cannot be dropped again.
    EXPECT_FALSE(board.drop(0, 100, 100));
}

TEST(MatchElementsBoard, TheEighthPieceWaitsForTheFourthOnlyInSetsOfEight)
{
    MatchElementsBoard board(homes(8), 25);
    const Point clasp = board.home(7);
    EXPECT_FALSE(board.drop(7, clasp.x, clasp.y));
    EXPECT_TRUE(board.drop(3, board.home(3).x, board.home(3).y));
    EXPECT_TRUE(board.drop(7, clasp.x, clasp.y));
    // Smaller sets have no fourth or eighth piece to wait for.
    MatchElementsBoard small(homes(3), 25);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(small.drop(i, small.home(i).x, small.home(i).y));
    EXPECT_TRUE(small.allPlaced());
    EXPECT_FALSE(MatchElementsBoard().allPlaced());
}

TEST(MatchElementsBoard, APressTakesTheHighestUnplacedPieceUnderThePointer)
{
    MatchElementsBoard board(homes(4), 25);
    const auto under = [](std::vector<int> hit) {
        return [hit](int i) { return std::find(hit.begin(), hit.end(), i) != hit.end(); };
    };
    EXPECT_EQ(board.pick(under({0, 2, 1})), 2);
    ASSERT_TRUE(board.drop(2, board.home(2).x, board.home(2).y));
    EXPECT_EQ(board.pick(under({0, 2, 1})), 1);
    EXPECT_EQ(board.pick(under({2})), -1);
}

TEST(WhackAMoleRules, TheIntervalIsMinPlusARandomPartAndNeverDividesByZero)
{
    WhackAMoleRules spread(1, 2, 500, 1500, sequence({999, 0}));
    EXPECT_EQ(spread.drawInterval(), 1499);
    EXPECT_EQ(spread.drawInterval(), 500);
    // Equal bounds (and the defaults of missing keys, both 0) and reversed
    // ones give the minimum.
    EXPECT_EQ(WhackAMoleRules(1, 2, 500, 500, sequence({7})).drawInterval(), 500);
    EXPECT_EQ(WhackAMoleRules(1, 2, 0, 0, sequence({7})).drawInterval(), 0);
    EXPECT_EQ(WhackAMoleRules(1, 2, 800, 300, sequence({7})).drawInterval(), 800);
}

TEST(WhackAMoleRules, TheTimerRunsOutOnceOnFedTime)
{
    WhackAMoleRules rules(1, 2, 500, 500, sequence({0}));
    EXPECT_FALSE(rules.advanceTimer(1000));  // not armed yet
    rules.armTimer();
    EXPECT_FALSE(rules.advanceTimer(499));
    EXPECT_TRUE(rules.advanceTimer(1));
    EXPECT_FALSE(rules.isTimerArmed());
    EXPECT_FALSE(rules.advanceTimer(1000));
}

TEST(WhackAMoleRules, CandidatesExcludeTheLastSquirrelAndTheOneOut)
{
    WhackAMoleRules rules(2, 3, 0, 0, sequence({1, 0, 0, 0}));
    EXPECT_EQ(rules.candidates(), (std::vector<int>{0, 1, 2}));
    const WhackAMoleRules::Appearance first = rules.chooseAppearance();
    EXPECT_EQ(first.squirrel, 1);
    EXPECT_EQ(first.piece, 0);
    EXPECT_TRUE(rules.isOut(1));
    EXPECT_EQ(rules.candidates(), (std::vector<int>{0, 2}));
    rules.squirrelBack(1);
    // Back in its hole, it still may not come out twice in a row.
    EXPECT_EQ(rules.candidates(), (std::vector<int>{0, 2}));
    // A single hole: the second expiry finds nobody.
    WhackAMoleRules single(2, 1, 0, 0, sequence({0}));
    EXPECT_EQ(single.chooseAppearance().squirrel, 0);
    single.squirrelBack(0);
    EXPECT_EQ(single.chooseAppearance().squirrel, -1);
}

TEST(WhackAMoleRules, PiecesAreCarriedFreedAndCollected)
{
    WhackAMoleRules rules(2, 2, 0, 0, sequence({0}));
    const WhackAMoleRules::Appearance a = rules.chooseAppearance();
    ASSERT_EQ(a.piece, 0);
    EXPECT_EQ(rules.pieceState(0), WhackAMoleRules::Carried);
    // Not clicked: the piece is free again when the squirrel is back.
    rules.squirrelBack(a.squirrel);
    EXPECT_EQ(rules.pieceState(0), WhackAMoleRules::Free);
    const WhackAMoleRules::Appearance b = rules.chooseAppearance();
    EXPECT_EQ(rules.hitSquirrel(b.squirrel), b.piece);
    EXPECT_EQ(rules.carriedBy(b.squirrel), -1);
    rules.squirrelBack(b.squirrel);
    EXPECT_EQ(rules.pieceState(b.piece), WhackAMoleRules::Carried);  // still flying
    EXPECT_FALSE(rules.pieceArrived(b.piece));
    const WhackAMoleRules::Appearance c = rules.chooseAppearance();
    EXPECT_EQ(c.piece, 1 - b.piece);
    EXPECT_EQ(rules.hitSquirrel(c.squirrel), c.piece);
    EXPECT_TRUE(rules.pieceArrived(c.piece));
    // With every piece gone a squirrel comes out empty-handed.
    rules.squirrelBack(c.squirrel);
    EXPECT_EQ(rules.chooseAppearance().piece, -1);
}

TEST(SquirrelMotion, OutWaitAndBackFollowTheFedTimeOnly)
{
    SquirrelMotion motion(400, 1200, 100);
    motion.start();
    EXPECT_EQ(motion.offset(), 0);
    EXPECT_EQ(motion.alpha(), 0);
    EXPECT_FALSE(motion.advance(200));
    EXPECT_EQ(motion.offset(), 75);  // decelerating: 100 - 100 / 4
    EXPECT_EQ(motion.alpha(), 192);
    EXPECT_FALSE(motion.advance(200));
    EXPECT_EQ(motion.getPhase(), SquirrelMotion::Waiting);
    EXPECT_EQ(motion.offset(), 100);
    EXPECT_FALSE(motion.advance(1400));
    EXPECT_EQ(motion.getPhase(), SquirrelMotion::Back);
    EXPECT_EQ(motion.offset(), 75);  // accelerating back from rest
    EXPECT_TRUE(motion.advance(200));
    EXPECT_FALSE(motion.isRunning());
    EXPECT_EQ(motion.offset(), 0);
    EXPECT_EQ(motion.alpha(), 0);
    EXPECT_FALSE(motion.advance(100));
    // An appearance of no length still ends through advance.
    SquirrelMotion instant(0, 0, 50);
    instant.start();
    EXPECT_TRUE(instant.advance(0));
}

// ---------------------------------------------------------------------------
// The screens over the game's own content

namespace {

class NecklaceScreens : public ::testing::Test {
protected:
    NecklaceScreens() : tuning("content/config/GameParameters.cfg")
    {
        setGameParameters(&tuning);
        loadQuestChain(folder, 73);
    }
    ~NecklaceScreens() override { setGameParameters(nullptr); }

    template <typename Game>
    Game* open()
    {
        auto* game = new Game(7);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
        return game;
    }

    void mouse(int type, int x, int y)
    {
        MouseEvent e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.buttons = MouseEvent::Left;
        app.top()->onMouse(e);
    }

    // Presses on a pixel of piece i and lets go with its corner at `to`.
    void drag(MgMatchElements& game, int i, Point to)
    {
        CustomImageWidget* piece = game.getPieces()[static_cast<size_t>(i)];
        const WidgetGeometry g = piece->getGeometry();
        Point grab(-1, -1);
        for (int d = 0; d < g.w * g.h && grab.x < 0; ++d) {
            if (piece->hitTest(g.x + d % g.w, g.y + d / g.w))
                grab = Point(g.x + d % g.w, g.y + d / g.w);
        }
        mouse(MouseEvent::Press, grab.x, grab.y);
        ASSERT_EQ(game.getSelected(), i);
        mouse(MouseEvent::Move, grab.x + to.x - g.x, grab.y + to.y - g.y);
        mouse(MouseEvent::Release, grab.x + to.x - g.x, grab.y + to.y - g.y);
    }

    SingletonReset singletons;
    TempFolder folder;
    ConfigFile tuning;
    ScreenTestApp app;
};

}  // namespace

TEST_F(NecklaceScreens, PiecesSnapHomeWithinTheSensitivityAndStayWhereDroppedOutside)
{
    MgMatchElements* game = open<MgMatchElements>();
    ASSERT_EQ(game->getBoard().size(), 8);
    // Spread the pieces out so that each can be grabbed alone.
    for (int i = 0; i < 8; ++i)
        game->getPieces()[static_cast<size_t>(i)]->setPosition(20 + 100 * i, 600);
    CustomImageWidget* piece = game->getPieces()[0];
    // The picture's transparent corner does not take the pointer.
    EXPECT_FALSE(piece->hitTest(21, 601));
    EXPECT_TRUE(piece->hitTest(52, 636));

    const Point home = game->getBoard().home(0);
    drag(*game, 0, Point(home.x + 30, home.y));
    EXPECT_FALSE(game->getBoard().isPlaced(0));
    EXPECT_EQ(piece->getGeometry().x, home.x + 30);
    drag(*game, 0, Point(home.x + 10, home.y + 10));
    EXPECT_TRUE(game->getBoard().isPlaced(0));
    EXPECT_EQ(piece->getTint().a, 0);
    EXPECT_TRUE(game->getGlows()[0]->isPulsing());
    EXPECT_EQ(game->getGlows()[0]->getTint(), Color::white());
    // A placed piece can no longer be picked up.
    mouse(MouseEvent::Press, home.x + 32, home.y + 36);
    EXPECT_EQ(game->getSelected(), -1);
}

TEST_F(NecklaceScreens, TheLastPieceRaisesEveryGlowThenTheFinishedMessageFollows)
{
    MgMatchElements* game = open<MgMatchElements>();
    for (int i = 0; i < 8; ++i)
        game->getPieces()[static_cast<size_t>(i)]->setPosition(20 + 100 * i, 600);
    for (int i = 0; i < 8; ++i)
        drag(*game, i, game->getBoard().home(i));
    ASSERT_TRUE(game->getBoard().allPlaced());
    app.frames(20);  // 1000 ms: the glows are full
    for (const CustomImageWidget* glow : game->getGlows())
        EXPECT_EQ(glow->getOverlayAlpha(), 255);
    app.frames(16);  // 1800 ms: the 700 ms of the frame are still running
    EXPECT_EQ(game->getOpenDialog(), 0);
    app.frames(10);
    EXPECT_EQ(game->getOpenDialog(), MiniGameBase::FinishedDialogId);
}

TEST_F(NecklaceScreens, WhackAMoleHandsItsQuestToMatchElementsWhenEveryPieceIsCollected)
{
    MgWhackAMole* game = open<MgWhackAMole>();
    const WhackAMoleRules& rules = game->getRules();
    ASSERT_EQ(rules.pieceCount(), 8);
    for (int guard = 0; guard < 2000 && !rules.allCollected(); ++guard) {
        app.frames(1);
        for (int k = 0; k < rules.squirrelCount(); ++k) {
            if (rules.carriedBy(k) >= 0)
                game->onButton(MgWhackAMole::FirstSquirrelId + k, 0);
        }
    }
    ASSERT_TRUE(rules.allCollected());
    for (const NeklacePiece* piece : game->getPieces())
        EXPECT_FLOAT_EQ(piece->getScale(), 1.f);
    app.frames(20);
    auto* next = dynamic_cast<MgMatchElements*>(app.top());
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->getQuestId(), 7);
    EXPECT_EQ(app.stack.size(), 1u);
    EXPECT_FALSE(QuestManager::instance()->questAt(7)->done);
}

TEST_F(NecklaceScreens, SquirrelsAndTheTimerStandStillWhileTheHelpIsOpen)
{
    MgWhackAMole* game = open<MgWhackAMole>();
    const WhackAMoleRules& rules = game->getRules();
    int out = -1;
    for (int guard = 0; guard < 100 && out < 0; ++guard) {
        app.frames(1);
        for (int k = 0; k < rules.squirrelCount(); ++k)
            out = rules.isOut(k) ? k : out;
    }
    ASSERT_GE(out, 0);
    const SquirrelWidget* squirrel = game->getSquirrels()[static_cast<size_t>(out)];
    game->onButton(MiniGameBase::HelpButtonId, 1);
    const int elapsed = squirrel->getMotion().getElapsed();
    const int x = squirrel->getGeometry().x;
    app.frames(100);
    EXPECT_EQ(squirrel->getMotion().getElapsed(), elapsed);
    EXPECT_EQ(squirrel->getGeometry().x, x);
    confirmMessage(app);
    app.frames(2);
    EXPECT_GT(squirrel->getMotion().getElapsed(), elapsed);
}
