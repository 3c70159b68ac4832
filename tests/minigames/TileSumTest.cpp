// The rectangle tile sum: the sums of an arrangement, the vanishing
// exchange, and the screen over the game's own tuning file and pictures
// (the glows, the solved ending, the crosses' pulse).
#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "minigames/DissapearSwapEffect.h"
#include "minigames/MgRectangleTileSum.h"
#include "minigames/TileSumRules.h"
#include "minigames/TileSwapListener.h"
#include "minigames/TileWidget.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TileBoard boardOf(const std::vector<int>& ids)
{
    TileBoard board;
    for (int id : ids)
        board.addTile(id);
    return board;
}

const std::vector<int> Identity = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const std::vector<int> Solution = {0, 1, 2, 3, 4, 5, 6, 8, 7, 10, 9, 11};

}  // namespace

TEST(TileSumRules, TheIdentityMeetsTheRowsButNotTheRectangles)
{
    const TileSumRules::Sums sums = TileSumRules::evaluate(boardOf(Identity));
    EXPECT_EQ(sums.describe(), "16,17/8,16,9");
    EXPECT_TRUE(sums.rowMet[0] && sums.rowMet[1]);
    EXPECT_FALSE(sums.rectangleMet[0] || sums.rectangleMet[1] || sums.rectangleMet[2]);
    EXPECT_FALSE(sums.solved);
    EXPECT_TRUE(TileSumRules::evaluate(boardOf(Solution)).solved);
}

TEST(TileSumRules, SwappingTheTwoTilesOfOneRowOfARectangleChangesNoSum)
{
    for (int k = 0; k < 6; ++k) {
        TileBoard board = boardOf(Identity);
        const std::string before = TileSumRules::evaluate(board).describe();
        board.swapSlots(2 * k, 2 * k + 1);
        EXPECT_EQ(TileSumRules::evaluate(board).describe(), before) << k;
    }
}

TEST(TileSumRules, SlotsBeyondTwelveAreLeftOutOfEverySum)
{
    // Thirteen elements would give slot 12 a third row.
    std::vector<int> ids = Solution;
    ids.push_back(12);
    EXPECT_TRUE(TileSumRules::evaluate(boardOf(ids)).solved);
}

TEST(TileSumRules, AShuffledBoardNeverStartsSolved)
{
    // A source that would leave the solution as it is: every pass swaps
    // nothing, so the shuffle must keep going while it is solved.
    int calls = 0;
    TileBoard board = boardOf(Solution);
    const int passes = board.shuffle([&](int n) { return ++calls > 12 ? (calls * 7) % n : calls - 1; },
                                     [](const TileBoard& b) { return TileSumRules::evaluate(b).solved; });
    EXPECT_GE(passes, 2);
    EXPECT_FALSE(TileSumRules::evaluate(board).solved);
}

namespace {

struct SwapSpy : TileSwapListener {
    void onSwapStarted(int, int) override { calls += "started "; }
    void onSwapCommit(int, int) override { calls += "commit "; }
    void onSwapFinished(int, int) override { calls += "finished "; }
    std::string calls;
};

}  // namespace

TEST(DissapearSwapEffect, TilesShrinkAndDarkenThenTradePlacesAndGrowBack)
{
    TileWidget a(nullptr, 1, nullptr);
    TileWidget b(nullptr, 2, nullptr);
    a.setGeometry(WidgetGeometry(0, 0, 0, 110, 110));
    SwapSpy spy;
    DissapearSwapEffect effect;
    effect.start(&a, &b, &spy);
    EXPECT_EQ(spy.calls, "started ");
    EXPECT_EQ(a.scalePivot, Point(55, 55));
    effect.update(200);
    EXPECT_NEAR(a.scale, 0.5f, 0.01f);
    EXPECT_NEAR(a.getTint().r, 127, 1);
    EXPECT_EQ(a.getTint().a, 255);
    effect.update(200);
    EXPECT_EQ(a.getTint(), Color(0, 0, 0, 255));
    EXPECT_FLOAT_EQ(b.scale, 0.f);
    // A group notices the end of its parts in the call after.
    effect.update(16);
    EXPECT_EQ(spy.calls, "started commit ");
    effect.update(400);
    effect.update(16);
    EXPECT_EQ(spy.calls, "started commit finished ");
    EXPECT_FLOAT_EQ(a.scale, 1.f);
    EXPECT_EQ(b.getTint(), Color::white());
    EXPECT_FALSE(effect.isRunning());
}

namespace {

class TileSumScreenTest : public ::testing::Test {
protected:
    TileSumScreenTest() : tuning("content/config/GameParameters.cfg")
    {
        setGameParameters(&tuning);
        loadQuestChain(folder, 73);
    }
    ~TileSumScreenTest() override { setGameParameters(nullptr); }

    MgRectangleTileSum* open()
    {
        auto* game = new MgRectangleTileSum(14);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
        return game;
    }
    // Presses the tiles of the two slots and plays the exchange out in
    // frames of 16 ms; the time it took.
    int swap(MgRectangleTileSum& game, int slotA, int slotB)
    {
        const TileBoard& board = game.getBoard();
        game.onButton(board.tileAt(slotA), TileWidget::Pressed);
        game.onButton(board.tileAt(slotB), TileWidget::Pressed);
        int ms = 0;
        while (board.isSwapBusy() && ms < 5000) {
            app.frames(1, 16);
            ms += 16;
        }
        return ms;
    }
    static std::string lit(const MgRectangleTileSum& game)
    {
        std::string out;
        for (const ImageWidget* glow : game.getRowGlows())
            out += glow->getTint().a == 255 ? '1' : glow->getTint().a == 0 ? '0' : '?';
        for (const ImageWidget* glow : game.getRectangleGlows())
            out += glow->getTint().a == 255 ? '1' : glow->getTint().a == 0 ? '0' : '?';
        return out;
    }

    SingletonReset singletons;
    TempFolder folder;
    ConfigFile tuning;
    ScreenTestApp app;
};

}  // namespace

TEST_F(TileSumScreenTest, TheGlowsShowExactlyTheSumsMetAndSolvingEndsTheGame)
{
    MgRectangleTileSum* game = open();
    const TileBoard& board = game->getBoard();
    ASSERT_EQ(board.size(), 12);
    const TileSumRules::Sums start = game->sums();
    EXPECT_FALSE(start.solved);
    std::string want;
    for (bool met : start.rowMet)
        want += met ? '1' : '0';
    for (bool met : start.rectangleMet)
        want += met ? '1' : '0';
    EXPECT_EQ(lit(*game), want);

    // Selection sort onto the solution, tile id by tile id.
    int last = 0;
    for (int slot = 0; slot < 12 && !game->sums().solved; ++slot) {
        const int from = board.slotOf(Solution[static_cast<size_t>(slot)]);
        if (from != slot)
            last = swap(*game, slot, from);
    }
    ASSERT_TRUE(game->sums().solved);
    // An exchange takes 800 ms; each phase ends a frame late.
    EXPECT_NEAR(last, 800, 3 * 16);
    EXPECT_EQ(lit(*game), "11111");
    for (int id : board.tiles())
        EXPECT_FALSE(game->tile(id)->isEnabled());
    // 1500 ms of final glow, 500 ms of wait, 700 ms: then the message.
    app.frames(2600 / 16, 16);
    EXPECT_FALSE(game->isFinishedShown());
    app.frames(20, 16);
    EXPECT_TRUE(game->isFinishedShown());
    EXPECT_EQ(game->getFinalWidget()->getTint().a, 255);
}

TEST_F(TileSumScreenTest, TheCrossesPulseEveryThreeSeconds)
{
    MgRectangleTileSum* game = open();
    int highest = 0;
    int lowest = 255;
    for (int i = 0; i < 6000 / 20; ++i) {
        app.frames(1, 20);
        highest = std::max(highest, static_cast<int>(game->getCrossesWidget()->getTint().a));
        lowest = std::min(lowest, static_cast<int>(game->getCrossesWidget()->getTint().a));
    }
    EXPECT_GE(highest, 250);
    EXPECT_LE(lowest, 5);
}
