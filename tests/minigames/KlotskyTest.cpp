// The sliding blocks: the board and its pattern, where a block may go, the
// refused move that must leave the board untouched, the drag direction,
// the solution test, the description file, and the screen over the game's
// own content (a held drag moves a block one cell per slide).
#include "engine/store/ConfigFile.h"
#include "minigames/CustomKlotskyTile.h"
#include "minigames/KlotskyFile.h"
#include "minigames/KlotskyGrid.h"
#include "minigames/MgKlotsky.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

TEST(KlotskyGrid, ThePatternIsReadRowByRow)
{
    KlotskyGrid grid(4, 5);
    grid.applyPattern("0000000100000000000000000");
    EXPECT_EQ(grid.cell(1, 2), KlotskyGrid::Occupied);
    EXPECT_EQ(grid.describe(), "00000/00100/00000/00000");
    // Shorter: the rest stays free; off the board counts as occupied.
    KlotskyGrid small(2, 2);
    small.applyPattern("x");
    EXPECT_EQ(small.describe(), "10/00");
    EXPECT_EQ(small.cell(2, 0), KlotskyGrid::Occupied);
    EXPECT_EQ(small.cell(0, -1), KlotskyGrid::Occupied);
}

TEST(KlotskyGrid, ABigBlockMovesOnlyWhereItsWholeFootprintIsFree)
{
    KlotskyGrid grid(3, 4);
    grid.applyPattern("000000000010");
    KlotskyGrid::Block big{0, 0, 2, 2};
    EXPECT_TRUE(grid.place(big));
    EXPECT_TRUE(grid.canMoveTo(big, 0, 1));
    // Its own cells count as free; a wall in the new column does not.
    EXPECT_TRUE(grid.canMoveTo(big, 1, 0));
    EXPECT_FALSE(grid.canMoveTo(big, 1, 1));
    EXPECT_FALSE(grid.canMoveTo(big, 0, 3));
    EXPECT_FALSE(grid.canMoveTo(big, -1, 0));
    ASSERT_TRUE(grid.occupy(big, 0, 1));
    EXPECT_EQ(grid.describe(), "0110/0110/0010");
    EXPECT_EQ(big.column, 1);
}

TEST(KlotskyGrid, ARefusedMoveLeavesTheBoardAsItWas)
{
    KlotskyGrid grid(4, 5);
    grid.applyPattern("00000001000000000000");
    KlotskyGrid::Block tall{0, 1, 1, 2};
    KlotskyGrid::Block other{0, 3, 1, 1};
    grid.place(tall);
    grid.place(other);
    const std::vector<int> before = grid.getCells();
    for (const auto& [row, column] : std::vector<std::pair<int, int>>{{0, 2}, {-1, 1}, {3, 1}, {0, 3}}) {
        EXPECT_FALSE(grid.occupy(tall, row, column)) << row << "," << column;
        EXPECT_EQ(grid.getCells(), before);
        EXPECT_EQ(tall.row, 0);
        EXPECT_EQ(tall.column, 1);
    }
}

TEST(MgKlotskyRules, HorizontalDragsComeFirstAndTheSolutionNamesBlocksByIndex)
{
    const WidgetGeometry rect(100, 100, 0, 96, 96);
    EXPECT_EQ(MgKlotsky::dragStep(Point(89, 89), rect), Point(-1, 0));
    EXPECT_EQ(MgKlotsky::dragStep(Point(207, 50), rect), Point(1, 0));
    EXPECT_EQ(MgKlotsky::dragStep(Point(150, 89), rect), Point(0, -1));
    EXPECT_EQ(MgKlotsky::dragStep(Point(150, 207), rect), Point(0, 1));
    // Within the margin: nothing.
    EXPECT_EQ(MgKlotsky::dragStep(Point(90, 206), rect), Point(0, 0));

    const std::vector<KlotskyCondition> conditions = {{0, 3, 0}, {7, 0, 0}, {1, 1, 1}};
    EXPECT_EQ(MgKlotsky::conditionResults(conditions, {Point(0, 3), Point(0, 0)}), (std::vector<int>{1, -1, 0}));
    EXPECT_TRUE(MgKlotsky::conditionResults({}, {Point(0, 0)}).empty());
}

TEST(KlotskyGrid, BlocksOfAnySizeFromAFileStayOnTheBoard)
{
    // Sizes and places near the int limits: the footprint is cut to the
    // board, nothing overflows, and the off-board cells make it unclear.
    KlotskyGrid grid(3, 3);
    const int huge = std::numeric_limits<int>::max();
    EXPECT_FALSE(grid.place(KlotskyGrid::Block{1, 1, huge, huge}));
    EXPECT_EQ(grid.describe(), "000/011/011");
    KlotskyGrid::Block far{huge, huge, huge, huge};
    EXPECT_FALSE(grid.place(far));
    EXPECT_FALSE(grid.canMoveTo(KlotskyGrid::Block{0, 0, huge, 1}, 0, 0));
    EXPECT_FALSE(grid.canMoveTo(KlotskyGrid::Block{0, 0, 1, 1}, huge, huge));
    EXPECT_FALSE(grid.occupy(far, 0, 0));
    EXPECT_EQ(grid.describe(), "000/011/011");
    // An empty block covers nothing and is clear anywhere.
    EXPECT_TRUE(grid.place(KlotskyGrid::Block{-5, -5, 0, 0}));
}

TEST(KlotskyFile, MissingRequiredAttributesReadAsZero)
{
    TempFolder folder;
    const KlotskyDesc d = KlotskyFile::load(folder.write(
        "b.xml", "<KlotskyGame><Board numRows='5' numColumns='4x' pattern='0001'/>"
                 "<Tile row='1' width='2' height='-1' image='a'/><Tile row='2' column='3' width='1' height='1' "
                 "image='b' glowImage='bG'/><Solution><Condition tileId='1' row='4'/></Solution></KlotskyGame>"));
    ASSERT_TRUE(d.hasBoard);
    EXPECT_EQ(d.columns, 4);
    ASSERT_EQ(d.tiles.size(), 2u);
    EXPECT_EQ(d.tiles[0].column, 0);
    EXPECT_EQ(d.tiles[0].height, -1);
    EXPECT_EQ(d.tiles[1].glowImage, "bG");
    ASSERT_EQ(d.conditions.size(), 1u);
    EXPECT_EQ(d.conditions[0].column, 0);
    EXPECT_FALSE(KlotskyFile::load(folder.write("n.xml", "<KlotskyGame><Tile/></KlotskyGame>")).hasBoard);
    // A board too large to build is refused rather than allocated.
    const KlotskyDesc wide = KlotskyFile::load(folder.write(
        "w.xml", "<KlotskyGame><Board numRows='6' numColumns='7000000' pattern=''/><Tile/></KlotskyGame>"));
    EXPECT_FALSE(wide.hasBoard);
    EXPECT_TRUE(wide.tiles.empty());
}

namespace {

class KlotskyScreenTest : public ::testing::Test {
protected:
    KlotskyScreenTest() : tuning("content/config/GameParameters.cfg")
    {
        setGameParameters(&tuning);
        loadQuestChain(folder, 73);
        game = new MgKlotsky(32);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
    }
    ~KlotskyScreenTest() override { setGameParameters(nullptr); }

    void send(int type, int x, int y)
    {
        MouseEvent e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.buttons = type == MouseEvent::Release ? 0 : MouseEvent::Left;
        app.mouse = Point(x, y);
        game->onMouse(e);
    }
    // Holds a block by its middle with the pointer at `to` for `ms`.
    void hold(const CustomKlotskyTile& tile, Point to, int ms)
    {
        const WidgetGeometry& g = tile.getGeometry();
        send(MouseEvent::Press, g.x + g.w / 2, g.y + g.h / 2);
        app.mouse = to;
        app.frames(ms / 20, 20);
        send(MouseEvent::Release, to.x, to.y);
        app.frames(20, 20);
    }

    SingletonReset singletons;
    TempFolder folder;
    ConfigFile tuning;
    ScreenTestApp app;
    MgKlotsky* game = nullptr;
};

}  // namespace

TEST_F(KlotskyScreenTest, AHeldDragMovesOneCellPerSlideAndWallsStopIt)
{
    ASSERT_EQ(game->getTiles().size(), 5u);
    const std::string grid = game->getGrid().describe();
    // Block 1 (one wide, two high, at 0, 2) has the wall of 1, 3 to its right.
    const CustomKlotskyTile& tall = *game->getTiles()[1];
    hold(tall, Point(1000, 200), 1000);
    EXPECT_EQ(tall.getColumn(), 2);
    EXPECT_EQ(game->getGrid().describe(), grid);
    // Block 2 (one cell at 2, 1) runs right to the edge: two cells in 1 s.
    const CustomKlotskyTile& small = *game->getTiles()[2];
    hold(small, Point(1000, 350), 1000);
    EXPECT_EQ(small.getColumn(), 3);
    EXPECT_EQ(small.getGeometry().x, game->cellCorner(2, 3).x);
    EXPECT_FALSE(game->isSolvedOnce());
}

TEST_F(KlotskyScreenTest, TheBigBlockInItsCornerGlowsAndEndsTheGame)
{
    const std::vector<CustomKlotskyTile*>& tiles = game->getTiles();
    hold(*tiles[2], Point(650, 350), 400);
    hold(*tiles[3], Point(1000, 560), 800);
    ASSERT_EQ(tiles[3]->getColumn(), 2);
    hold(*tiles[0], Point(310, 760), 1200);
    ASSERT_EQ(tiles[0]->getRow(), 3);
    EXPECT_TRUE(game->isSolvedOnce());
    EXPECT_EQ(tiles[0]->getShownKey(), CustomKlotskyTile::GlowKey);
    app.frames(1500 / 20 + 800 / 20, 20);
    EXPECT_EQ(game->getFinalGlowAlpha(), 255);
    EXPECT_TRUE(game->isFinishedShown());
}
