// Six minigame screens on the fake application with the game's own tuning
// file and pictures: clicks ignored while the memory match slides, the dot
// frozen by the shooting button, the sum tiles, the triangle count's wrong
// flash and solution, pieces carried and snapped by pointer events, armour
// slots dragged home or back, and the masks the screens draw through.
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Image.h"
#include "engine/res/ResourceManager.h"
#include "game/ContentTables.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/DraggableImageWidget.h"
#include "engine/ui/QuarnButton.h"
#include "minigames/ArmourPart.h"
#include "minigames/ArmourSlot.h"
#include "minigames/CheckButton.h"
#include "minigames/KnobWidget.h"
#include "minigames/MgCollectArmour.h"
#include "minigames/MgImagePuzzle.h"
#include "minigames/MgMemoryMatch.h"
#include "minigames/MgShootingPractice.h"
#include "minigames/MgSumTheNumbers.h"
#include "minigames/MgTriangleCount.h"
#include "minigames/NumberObject.h"
#include "tests/minigames/MiniGameTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class PuzzleScreensTest : public ::testing::Test {
protected:
    PuzzleScreensTest() : tuning("content/config/GameParameters.cfg")
    {
        setGameParameters(&tuning);
        loadQuestChain(folder, 73);
    }
    ~PuzzleScreensTest() override { setGameParameters(nullptr); }

    // Shown, faded in, the tutorial confirmed.
    template <typename Game>
    Game* open(int questId)
    {
        auto* game = new Game(questId);
        game->show(nullptr);
        app.frames(20);
        confirmMessage(app);
        return game;
    }
    // Frames of 10 ms until `done` holds (at most 10 s); the time it took.
    int msUntil(const std::function<bool()>& done)
    {
        int ms = 0;
        while (!done() && ms < 10000) {
            app.frames(1, 10);
            ms += 10;
        }
        return ms;
    }
    int msUntilFinished(MiniGameBase& game)
    {
        return msUntil([&game] { return game.isFinishedShown(); });
    }
    static void mouse(MiniGameBase& game, int type, int x, int y, int buttons = MouseEvent::Left)
    {
        MouseEvent e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.buttons = buttons;
        game.onMouse(e);
    }

    SingletonReset singletons;
    TempFolder folder;
    ConfigFile tuning;
    ScreenTestApp app;
};

}  // namespace

TEST_F(PuzzleScreensTest, MemoryMatchIgnoresClicksWhileASlideRunsAndEndsAfterTwentyAnswers)
{
    auto* game = open<MgMemoryMatch>(27);
    EXPECT_EQ(game->getImageKey(), "Quest28");
    EXPECT_NE(game->getResources()->findTexture("content/images/minigames/01_memmatch/Quest28/Symbol12.jpg"), nullptr);
    const MemoryMatchRules& rules = game->getRules();
    game->onButtonEvent(0, 1);
    ASSERT_TRUE(game->isSliding());
    EXPECT_EQ(game->getMatchButton()->getGeometry().x, 285);
    game->onButtonEvent(1, 1);
    EXPECT_EQ(rules.getAnswers(), 0);
    // 500 ms, each of its three steps starting a frame late.
    EXPECT_LE(msUntil([game] { return !game->isSliding(); }), 500 + 50);
    EXPECT_EQ(rules.getShown(), 2);
    for (int answer = 1; answer <= MemoryMatchRules::AnswerCount; ++answer) {
        // Every answer wrong: the game ends all the same.
        game->onButtonEvent(rules.getPrevious() == rules.getCurrent() ? 2 : 1, 1);
        EXPECT_EQ(rules.getVerdict(), MemoryMatchRules::Wrong);
        msUntil([game] { return !game->isSliding(); });
    }
    EXPECT_EQ(rules.getAnswers(), MemoryMatchRules::AnswerCount);
    game->onButtonEvent(1, 1);
    EXPECT_EQ(rules.getAnswers(), MemoryMatchRules::AnswerCount);
    EXPECT_EQ(msUntilFinished(*game), MiniGameBase::FinishDelayMs);
    confirmMessage(app);
    EXPECT_EQ(game->getResultCode(), MiniGameBase::SolvedCode);
}

TEST_F(PuzzleScreensTest, ShootingFreezesTheDotsAndIgnoresPressesWhileTheTargetFades)
{
    auto* game = open<MgShootingPractice>(23);
    // The generated bar is 200 px, its dot 24.
    EXPECT_EQ(game->travel(), 176);
    game->onButtonEvent(0, 1);
    app.frames(10, 50);
    const int x = game->getDotX();
    EXPECT_GT(x, 0);
    game->onButtonEvent(0, 1);
    app.frames(10, 50);
    EXPECT_EQ(game->getDotX(), x);
    EXPECT_GT(game->getDotY(), 0);
    game->onButtonEvent(0, 1);
    EXPECT_EQ(game->getMarker(), ShootingRange::marker(x, game->getDotY(), 176));
    app.frames(5, 50);
    game->onButtonEvent(0, 1);
    EXPECT_EQ(game->getRange().getPhase(), 3);
    app.frames(20, 50);
    EXPECT_EQ(game->getTargetAlpha(), 255);
    EXPECT_EQ(game->getMarkerAlpha(), 255);
    game->onButtonEvent(0, 1);
    EXPECT_EQ(game->getRange().getPhase(), 0);
    EXPECT_EQ(game->getTargetAlpha(), 0);
    EXPECT_EQ(game->getDotX(), 0);
}

TEST_F(PuzzleScreensTest, SumTilesSwapHomeAndTheSelectedTileClickedAgainStaysPut)
{
    auto* game = open<MgSumTheNumbers>(69);
    const SumTheNumbersBoard& board = game->getBoard();
    // About one deal in 120 puts every tile home, and the first movement's
    // end would then finish the game: two tiles swapped first make the
    // timing below the same for every deal.
    bool dealtSolved = true;
    for (int k = 0; k < SumTheNumbersBoard::TileCount; ++k)
        dealtSolved = dealtSolved && board.place(k) == SumTheNumbersBoard::Homes[k];
    if (dealtSolved) {
        game->onButtonEvent(44, 1);
        game->onButtonEvent(45, 1);
        msUntil([game] { return !game->tile(0)->isMoving() && !game->tile(1)->isMoving(); });
    }
    NumberObject* first = game->tile(0);
    const WidgetGeometry before = first->getGeometry();
    game->onButtonEvent(44, 0);
    EXPECT_EQ(board.getSelected(), -1);
    game->onButtonEvent(44, 1);
    EXPECT_EQ(first->getTint(), MgSumTheNumbers::Selected);
    game->onButtonEvent(44, 1);
    EXPECT_EQ(first->getTint(), Color::white());
    app.frames(3, 50);
    EXPECT_LT(first->getScale(), 1.f);
    msUntil([first] { return !first->isMoving(); });
    EXPECT_FLOAT_EQ(first->getScale(), 1.f);
    EXPECT_EQ(first->getGeometry().x, before.x);
    EXPECT_EQ(first->getGeometry().y, before.y);
    for (int k = 0; k < SumTheNumbersBoard::TileCount; ++k) {
        if (board.place(k) == SumTheNumbersBoard::Homes[k])
            continue;
        int other = 0;
        while (board.place(other) != SumTheNumbersBoard::Homes[k])
            ++other;
        game->onButtonEvent(44 + k, 1);
        game->onButtonEvent(44 + other, 1);
    }
    // A last click pair on one tile, should the shuffle have put every tile
    // home: the glow starts when a movement ends.
    game->onButtonEvent(44, 1);
    game->onButtonEvent(44, 1);
    const int ms = msUntilFinished(*game);
    // The last movement (600 ms), the glow (1000 ms) and the finish (700 ms).
    EXPECT_GE(ms, 2300);
    EXPECT_LE(ms, 2300 + 60);
    EXPECT_EQ(game->getGlowAlpha(), 255);
    EXPECT_EQ(game->tile(3)->getGeometry().x, SumTheNumbersBoard::Homes[3].x);
}

TEST_F(PuzzleScreensTest, TriangleCountFlashesAWrongCountAndSolvesTheRightOneOnce)
{
    auto* game = open<MgTriangleCount>(41);
    const TriangleCounter& counter = game->getCounter();
    EXPECT_EQ(counter.getSolution(), 5);
    EXPECT_TRUE(game->getRightKnob()->isLocked());
    CheckButton* check = game->getCheckButton();
    check->onMousePress(nullptr);
    EXPECT_TRUE(check->isBusy());
    EXPECT_FALSE(check->getLastResult());
    // A turn: the count moves when it ends, a second press meanwhile is lost.
    game->getLeftKnob()->onMousePress(nullptr);
    game->getLeftKnob()->onMousePress(nullptr);
    EXPECT_EQ(counter.getCount(), 0);
    int ms = msUntil([&counter] { return counter.getCount() == 1; });
    EXPECT_GE(ms, 300);
    EXPECT_FLOAT_EQ(game->getLeftKnob()->getAngle(), 36.f);
    EXPECT_FALSE(game->getRightKnob()->isLocked());
    // The flash lasts 2000 ms; a press meanwhile does nothing.
    check->onMousePress(nullptr);
    ms += msUntil([check] { return !check->isBusy(); });
    EXPECT_GE(ms, 2000);
    EXPECT_LE(ms, 2000 + 40);
    while (counter.getCount() < counter.getSolution()) {
        const int count = counter.getCount();
        game->getLeftKnob()->onMousePress(nullptr);
        msUntil([&counter, count] { return counter.getCount() != count; });
    }
    check->onMousePress(nullptr);
    EXPECT_TRUE(counter.isSolved());
    EXPECT_TRUE(game->getLeftKnob()->isLocked());
    ms = msUntilFinished(*game);
    EXPECT_GE(ms, 2200);
    EXPECT_LE(ms, 2200 + 30);
    EXPECT_EQ(game->getGlowAlpha(), 255);
}

TEST_F(PuzzleScreensTest, APieceIsCarriedWithoutAHeldButtonAndSnapsHome)
{
    auto* game = open<MgImagePuzzle>(4);
    const ImagePuzzleBoard& board = game->getBoard();
    ASSERT_EQ(board.count(), 12);
    // The topmost piece, picked up at its corner.
    DraggableImageWidget* piece = game->piece(11);
    const WidgetGeometry at = piece->getGeometry();
    mouse(*game, MouseEvent::Press, at.x + 2, at.y + 2);
    mouse(*game, MouseEvent::Release, at.x + 2, at.y + 2);
    EXPECT_TRUE(board.isCarrying());
    const Point home = board.home(11);
    // No button is held, yet the piece follows; the wheel does nothing.
    mouse(*game, MouseEvent::Move, home.x + 9, home.y + 2, 0);
    mouse(*game, MouseEvent::WheelUp, 0, 0, 0);
    EXPECT_EQ(piece->getGeometry().x, home.x + 7);
    mouse(*game, MouseEvent::Press, home.x + 9, home.y + 2);
    mouse(*game, MouseEvent::Release, home.x + 9, home.y + 2);
    EXPECT_FALSE(board.isCarrying());
    ASSERT_TRUE(board.isPlaced(11));
    EXPECT_FALSE(piece->isEnabled());
    EXPECT_EQ(piece->getTint(), MgImagePuzzle::Snapped);
    EXPECT_EQ(piece->getGeometry().x, home.x);
    app.frames(1);
    EXPECT_TRUE(game->looseAboveSnapped());
    // A snapped piece takes no click.
    EXPECT_NE(game->getWidgetManager()->widgetAt(home.x + 60, home.y + 60), piece);
}

TEST_F(PuzzleScreensTest, ArmourSlotsFillDragAndSnapOrGoBackHome)
{
    auto* game = open<MgCollectArmour>(66);
    ASSERT_EQ(game->getSlots().size(), 4u);
    std::vector<ArmourPart*> parts;
    for (Widget* w : game->getWidgetManager()->getWidgets())
        if (auto* part = dynamic_cast<ArmourPart*>(w))
            parts.push_back(part);
    ASSERT_EQ(parts.size(), 12u);
    for (ArmourPart* part : parts) {
        const WidgetGeometry& g = part->getGeometry();
        const Point centre(g.x + g.w / 2, g.y + g.h / 2);
        // A right-button release collects nothing.
        mouse(*game, MouseEvent::Press, centre.x, centre.y, MouseEvent::Right);
        mouse(*game, MouseEvent::Release, centre.x, centre.y, MouseEvent::Right);
        EXPECT_FALSE(part->isCollected());
        mouse(*game, MouseEvent::Press, centre.x, centre.y);
        mouse(*game, MouseEvent::Release, centre.x, centre.y);
        EXPECT_TRUE(part->isCollected());
    }
    ArmourSlot* slot = game->getSlots()[0];
    ASSERT_TRUE(slot->getState().isDraggable());
    const Point start = slot->getState().getStart();
    const Point end = slot->getState().getEnd();
    const int halfWidth = slot->getFinishedImage()->getWidth() / 2;
    auto drag = [&](Point to) {
        mouse(*game, MouseEvent::Press, start.x + 10, start.y + 10);
        mouse(*game, MouseEvent::Move, to.x + 10, to.y + 10);
        mouse(*game, MouseEvent::Release, to.x + 10, to.y + 10);
    };
    drag(Point(end.x + halfWidth, end.y));
    EXPECT_EQ(slot->getGeometry().x, start.x);
    EXPECT_FALSE(slot->getState().isPlaced());
    drag(Point(end.x + halfWidth - 1, end.y - halfWidth));
    ASSERT_TRUE(slot->getState().isPlaced());
    EXPECT_EQ(slot->getGeometry().x, end.x);
    EXPECT_EQ(slot->getGeometry().w, 0);
    EXPECT_FALSE(game->allSlotsPlaced());
    for (ArmourSlot* other : game->getSlots()) {
        const Point from = other->getState().getStart();
        const Point to = other->getState().getEnd();
        mouse(*game, MouseEvent::Press, from.x + 5, from.y + 5);
        mouse(*game, MouseEvent::Move, to.x + 5, to.y + 5);
        mouse(*game, MouseEvent::Release, to.x + 5, to.y + 5);
    }
    EXPECT_TRUE(game->allSlotsPlaced());
    EXPECT_EQ(msUntilFinished(*game), MiniGameBase::FinishDelayMs);
}

TEST_F(PuzzleScreensTest, MaskedPicturesAreClearWhereTheScreensShowWhatLiesBelow)
{
    ResourceManager res;
    registerMemoryMatchResources(&res);
    registerShootingResources(&res);
    auto alpha = [&res](const char* id, int x, int y) {
        GLTexture* t = res.findTexture(id);
        return t && t->getImage() ? t->getImage()->getPixel(x, y).a : -1;
    };
    // The paper's window, the sheet around it.
    EXPECT_EQ(alpha("MG_MEMORYMATCH_PAPER", 511, 332), 0);
    EXPECT_EQ(alpha("MG_MEMORYMATCH_PAPER", 362, 203), 0);
    EXPECT_EQ(alpha("MG_MEMORYMATCH_PAPER", 300, 332), 255);
    // The target mask: only the beam in front; the bar frame is hollow.
    EXPECT_EQ(alpha("MG_SHOOTING_BG_TARGET_MASK", 500, 368), 0);
    EXPECT_EQ(alpha("MG_SHOOTING_BG_TARGET_MASK", 500, 625), 255);
    EXPECT_EQ(alpha("MG_SHOOTING_BAR_FRAME", 100, 12), 0);
    EXPECT_GT(alpha("MG_SHOOTING_BAR_FRAME", 1, 12), 250);
    EXPECT_EQ(alpha("MG_SHOOTING_BG_TARGET", 20, 20), 0);
}
