// The cipher tiles screen on the fake application with the game's own
// tuning file and pictures: the opening board, lighting tiles that arrive in
// place, ignoring them afterwards, and the finished message after solving.
#include "engine/store/ConfigFile.h"
#include "minigames/MgCipherTiles.h"
#include "minigames/TileWidget.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CipherTilesTest : public ::testing::Test {
protected:
    CipherTilesTest() : tuning("content/config/GameParameters.cfg")
    {
        setGameParameters(&tuning);
        loadQuestChain(folder, 73);
    }
    ~CipherTilesTest() override { setGameParameters(nullptr); }

    MgCipherTiles* open(int questId)
    {
        auto* game = new MgCipherTiles(questId);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
        return game;
    }
    // The first two tiles out of place where the second belongs in the
    // first's slot.
    static void pickSwap(const MgCipherTiles& game, int& slotA, int& slotB)
    {
        const TileBoard& board = game.getBoard();
        for (slotA = 0; slotA < board.size(); ++slotA) {
            if (game.isTileInPlace(board.tileAt(slotA)))
                continue;
            for (slotB = 0; slotB < board.size(); ++slotB) {
                const int tile = board.tileAt(slotB);
                if (!game.isTileInPlace(tile) && game.getRules().symbolOf(tile) == game.getRules().wantedAt(slotA))
                    return;
            }
        }
    }
    // Presses the tiles of the two slots and plays the exchange to its end
    // in frames of 16 ms; returns the time it took. Each step of the
    // animation starts a frame after the one before.
    int swap(MgCipherTiles& game, int slotA, int slotB)
    {
        const TileBoard& board = game.getBoard();
        game.onButton(board.tileAt(slotA), TileWidget::Pressed);
        game.onButton(board.tileAt(slotB), TileWidget::Pressed);
        EXPECT_TRUE(board.isSwapBusy());
        int ms = 0;
        while (board.isSwapBusy() && ms < 10000) {
            app.frames(1, 16);
            ms += 16;
        }
        return ms;
    }

    SingletonReset singletons;
    TempFolder folder;
    ConfigFile tuning;
    ScreenTestApp app;
};

}  // namespace

TEST_F(CipherTilesTest, TheBoardStartsWithEveryTileDimmedAndOutOfPlace)
{
    MgCipherTiles* game = open(17);
    const TileBoard& board = game->getBoard();
    ASSERT_EQ(board.size(), 6);
    for (int slot = 0; slot < board.size(); ++slot) {
        const TileWidget* tile = game->tile(board.tileAt(slot));
        EXPECT_FALSE(game->isTileInPlace(board.tileAt(slot)));
        EXPECT_EQ(tile->getTint(), MgCipherTiles::Dimmed);
        EXPECT_EQ(tile->getGeometry().x, game->getSlotPositions()[static_cast<size_t>(slot)].x);
        EXPECT_EQ(tile->getGeometry().y, game->getSlotPositions()[static_cast<size_t>(slot)].y);
    }
    EXPECT_EQ(game->getSlotPositions()[4], Point(432, 370));
    EXPECT_EQ(game->getKeyPrefix(), "MgRearangeElements.Quest17.");
}

TEST_F(CipherTilesTest, ATileThatArrivesLightsUpAndIgnoresThePointer)
{
    MgCipherTiles* game = open(17);
    const TileBoard& board = game->getBoard();
    int slotA = 0, slotB = 0;
    pickSwap(*game, slotA, slotB);
    const int arriving = board.tileAt(slotB);
    const int ms = swap(*game, slotA, slotB);
    // 900 ms of movement and 1958 ms of swing, and a frame per step.
    EXPECT_GE(ms, 2858);
    EXPECT_LE(ms, 2858 + 40 * 16);
    ASSERT_TRUE(game->isTileInPlace(arriving));
    TileWidget* tile = game->tile(arriving);
    EXPECT_EQ(tile->getTint(), MgCipherTiles::Lit);
    EXPECT_EQ(tile->getGeometry().x, game->getSlotPositions()[static_cast<size_t>(slotA)].x);
    // Hover and presses change nothing on it.
    GLTexture* look = tile->getTexture();
    game->onButton(arriving, TileWidget::Entered);
    EXPECT_EQ(tile->getTexture(), look);
    game->onButton(arriving, TileWidget::Pressed);
    EXPECT_FALSE(board.isSelectionActive());
    // A tile not in place shows its looks.
    const int other = board.tileAt(slotA == 0 ? 1 : 0);
    if (!game->isTileInPlace(other)) {
        game->onButton(other, TileWidget::Pressed);
        EXPECT_NE(game->tile(other)->getTexture(), look);
        EXPECT_TRUE(board.isSelectionActive());
    }
}

TEST_F(CipherTilesTest, SolvingOpensTheFinishedMessage2200MsAfterTheLastSwap)
{
    MgCipherTiles* game = open(17);
    while (!game->getRules().isSolved(game->getBoard())) {
        int slotA = 0, slotB = 0;
        pickSwap(*game, slotA, slotB);
        swap(*game, slotA, slotB);
    }
    ASSERT_FALSE(game->isFinishedShown());
    int frames = 0;
    while (!game->isFinishedShown() && frames < 100) {
        app.frames(1);
        ++frames;
    }
    EXPECT_GE(frames * 50, 2200);
    EXPECT_LE(frames * 50, 2200 + 200);
    EXPECT_EQ(game->getGlowAlpha(), 255);
    EXPECT_EQ(game->getGlowWidget()->getTint().a, 255);
    confirmMessage(app);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SolvedCode);
}

TEST_F(CipherTilesTest, WithoutAGlowTheTilesActiveLooksFadeIn)
{
    MgCipherTiles* game = open(49);
    EXPECT_EQ(game->getGlowWidget(), nullptr);
    while (!game->getRules().isSolved(game->getBoard())) {
        int slotA = 0, slotB = 0;
        pickSwap(*game, slotA, slotB);
        swap(*game, slotA, slotB);
    }
    app.frames(21);
    for (int id : game->getBoard().tiles()) {
        EXPECT_NE(game->tile(id)->getOverlayImage(), nullptr);
        EXPECT_EQ(game->tile(id)->overlayAlpha, 255);
    }
}
