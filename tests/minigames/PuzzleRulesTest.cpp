// The rules of six minigames without a window, with injected random
// numbers: the memory match's symbols and answers, the shooting range's
// phases and landing point, the number places of the sum game, the triangle
// counter's knobs and digits, the jigsaw's snapping and the armour slots
// with their description file.
#include "minigames/ArmourSlotState.h"
#include "minigames/CollectArmourFile.h"
#include "minigames/ImagePuzzleBoard.h"
#include "minigames/MemoryMatchRules.h"
#include "minigames/ShootingRange.h"
#include "minigames/SumTheNumbersBoard.h"
#include "minigames/TriangleCounter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <fstream>
#include <functional>
#include <random>

namespace {

// Random numbers from a list; each must be below the range asked for.
struct Scripted {
    std::deque<int> values;
    int operator()(int n)
    {
        EXPECT_FALSE(values.empty());
        const int v = values.empty() ? 0 : values.front();
        if (!values.empty())
            values.pop_front();
        EXPECT_LT(v, n);
        return v;
    }
};

}  // namespace

TEST(MemoryMatchRules, MoreSymbolsComeIntoPlayAsMoreAreShown)
{
    MemoryMatchRules rules;
    std::mt19937 engine(7);
    auto random = [&engine](int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); };
    rules.deal(random);
    EXPECT_EQ(rules.getShown(), 1);
    // 2 for 1-3 shown, 3 for 4-7, ... 7 at 20.
    const int expected[] = {0, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7};
    for (int shown = 1; shown <= 20; ++shown) {
        ASSERT_EQ(rules.getShown(), shown);
        EXPECT_EQ(rules.limit(), expected[shown]) << shown;
        EXPECT_GE(rules.getNext(), 1);
        EXPECT_LE(rules.getNext(), rules.limit());
        rules.slideFinished(random);
    }
    // The twenty-first symbol needs no successor.
    const int next = rules.getNext();
    rules.slideFinished(random);
    EXPECT_EQ(rules.getNext(), next);
}

TEST(MemoryMatchRules, OneDrawInFourRepeatsTheSymbolShowing)
{
    MemoryMatchRules rules;
    Scripted random{{1, 0}};
    rules.deal(std::ref(random));
    EXPECT_EQ(rules.getCurrent(), 2);
    EXPECT_EQ(rules.getNext(), 1);
    // r1 = 0 would give 1; r2 = 0 repeats 2.
    random.values = {0, 0};
    EXPECT_EQ(rules.pickSymbol(std::ref(random)), 2);
    random.values = {0, 3};
    EXPECT_EQ(rules.pickSymbol(std::ref(random)), 1);
}

TEST(MemoryMatchRules, AnswersAreJudgedAndTheTwentiethIsTheLast)
{
    MemoryMatchRules rules;
    Scripted random{{0, 0}};
    rules.deal(std::ref(random));
    random.values = {0, 0};  // the repeat: the next symbol equals the current
    rules.slideFinished(std::ref(random));
    EXPECT_EQ(rules.getPrevious(), 1);
    EXPECT_EQ(rules.getCurrent(), 1);
    EXPECT_EQ(rules.answer(false), MemoryMatchRules::Wrong);
    std::mt19937 engine(3);
    auto any = [&engine](int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); };
    while (!rules.isLastAnswer()) {
        rules.slideFinished(any);
        EXPECT_EQ(rules.getVerdict(), MemoryMatchRules::NoVerdict);
        EXPECT_EQ(rules.answer(rules.getPrevious() == rules.getCurrent()), MemoryMatchRules::Right);
    }
    // START brought the second symbol in; then one answer per slide.
    EXPECT_EQ(rules.getShown(), MemoryMatchRules::AnswerCount + 1);
    EXPECT_EQ(rules.getAnswers(), MemoryMatchRules::AnswerCount);
}

TEST(ShootingRange, ThreePressesAShotAndFiveShotsFinish)
{
    ShootingRange range;
    const ShootingRange::Press shot[] = {ShootingRange::StartAiming, ShootingRange::StopHorizontal,
                                         ShootingRange::Shoot};
    for (int s = 1; s <= ShootingRange::ShotCount; ++s) {
        for (ShootingRange::Press p : shot)
            ASSERT_EQ(range.press(), p);
        EXPECT_EQ(range.getShots(), s);
        // While the target fades in, a press does nothing.
        EXPECT_EQ(range.press(), ShootingRange::Ignored);
        EXPECT_EQ(range.getPhase(), 3);
        range.setBusy(false);
        EXPECT_EQ(range.press(), s < ShootingRange::ShotCount ? ShootingRange::NextShot : ShootingRange::Finished);
    }
    EXPECT_TRUE(range.isFinished());
    EXPECT_EQ(range.press(), ShootingRange::Ignored);
}

TEST(ShootingRange, TheArrowLandsWithinTheTargetCircle)
{
    EXPECT_EQ(ShootingRange::marker(0, 0, 376), Point(321, 184));
    EXPECT_EQ(ShootingRange::marker(376, 376, 376), Point(683, 546));
    EXPECT_EQ(ShootingRange::marker(194, 198, 376), Point(500, 367));
    // A bar no longer than its dot has no travel: the middle, no division.
    EXPECT_EQ(ShootingRange::marker(0, 0, 0), ShootingRange::TargetCentre);
    EXPECT_EQ(ShootingRange::marker(5, 9, -3), ShootingRange::TargetCentre);
    for (int x = 0; x <= 376; x += 47)
        for (int y = 0; y <= 376; y += 47) {
            const Point p = ShootingRange::marker(x, y, 376);
            EXPECT_LE(std::hypot(p.x - 500, p.y - 368), 257.0) << x << "," << y;
        }
}

TEST(SumTheNumbersBoard, TheShuffleFollowsTheDrawnNumbers)
{
    SumTheNumbersBoard board;
    // Each place k stays: the start places in their order, none at home.
    Scripted keep{{1, 2, 3, 4}};
    board.shuffle(std::ref(keep));
    for (int k = 0; k < SumTheNumbersBoard::TileCount; ++k) {
        EXPECT_EQ(board.place(k), SumTheNumbersBoard::StartPlaces[k]);
        EXPECT_FALSE(board.hasArrived(k));
    }
    // Each place k changes with place 0: tile 3 (the 8) starts at home.
    Scripted swapAll{{0, 0, 0, 0}};
    board.shuffle(std::ref(swapAll));
    EXPECT_EQ(board.place(0), SumTheNumbersBoard::StartPlaces[4]);
    EXPECT_EQ(board.place(3), SumTheNumbersBoard::Homes[3]);
    EXPECT_TRUE(board.hasArrived(3));
    EXPECT_TRUE(board.isPermutation());
}

TEST(SumTheNumbersBoard, PlacesStayAPermutationWhateverTheClicks)
{
    std::mt19937 engine(11);
    auto random = [&engine](int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); };
    for (int run = 0; run < 10000; ++run) {
        SumTheNumbersBoard board;
        board.shuffle(random);
        int glows = 0;
        for (int step = 0; step < 12; ++step) {
            // Clicks, with movements ending in any order (or not at all).
            board.click(SumTheNumbersBoard::FirstTileId - 1 + random(7));
            if (random(2))
                glows += board.arrive(random(SumTheNumbersBoard::TileCount)) ? 1 : 0;
        }
        for (int k = 0; k < SumTheNumbersBoard::TileCount; ++k)
            glows += board.arrive(k) ? 1 : 0;
        ASSERT_TRUE(board.isPermutation()) << board.describe();
        ASSERT_LE(glows, 1);
    }
}

TEST(SumTheNumbersBoard, TheGlowStartsOnceWhenTheLastTileArrives)
{
    // Every tile home; the 4 and the 9 change places and back.
    SumTheNumbersBoard board;
    EXPECT_EQ(board.click(45).kind, SumTheNumbersBoard::Click::Selected);
    EXPECT_EQ(board.click(48).kind, SumTheNumbersBoard::Click::Swap);
    EXPECT_FALSE(board.arrive(1));
    board.click(48);
    const SumTheNumbersBoard::Click back = board.click(45);
    EXPECT_EQ(back.first, 4);
    EXPECT_EQ(back.second, 1);
    // The 9 is still moving when the 4 arrives.
    EXPECT_FALSE(board.arrive(1));
    EXPECT_TRUE(board.arrive(4));
    EXPECT_TRUE(board.isGlowStarted());
    // The selected tile clicked again swaps with itself; no second glow.
    board.click(46);
    const SumTheNumbersBoard::Click self = board.click(46);
    EXPECT_EQ(self.first, self.second);
    EXPECT_EQ(board.getSelected(), -1);
    EXPECT_FALSE(board.arrive(2));
    // Ids of no tile.
    EXPECT_EQ(board.click(43).kind, SumTheNumbersBoard::Click::Ignored);
    EXPECT_EQ(board.click(49).kind, SumTheNumbersBoard::Click::Ignored);
    EXPECT_FALSE(board.arrive(-1));
    EXPECT_FALSE(board.arrive(5));
}

TEST(TriangleCounter, KnobsLockAtTheEndsOfTheCount)
{
    TriangleCounter counter(5);
    EXPECT_TRUE(counter.isLocked(TriangleCounter::RightKnob));
    EXPECT_FALSE(counter.isLocked(TriangleCounter::LeftKnob));
    for (int i = 0; i < 99; ++i)
        counter.turned(TriangleCounter::LeftKnob);
    EXPECT_EQ(counter.getCount(), 99);
    EXPECT_TRUE(counter.isLocked(TriangleCounter::LeftKnob));
    EXPECT_FALSE(counter.isLocked(TriangleCounter::RightKnob));
    counter.turned(TriangleCounter::RightKnob);
    EXPECT_EQ(counter.getCount(), 98);
    EXPECT_FALSE(counter.isLocked(TriangleCounter::LeftKnob));
    EXPECT_EQ(TriangleCounter().getSolution(), 99);
}

TEST(TriangleCounter, OnlyTheFirstRightCheckSolves)
{
    TriangleCounter counter(2);
    EXPECT_EQ(counter.check(), TriangleCounter::WrongCount);
    counter.turned(TriangleCounter::LeftKnob);
    counter.turned(TriangleCounter::LeftKnob);
    EXPECT_EQ(counter.check(), TriangleCounter::RightCount);
    EXPECT_TRUE(counter.isLocked(TriangleCounter::LeftKnob));
    EXPECT_TRUE(counter.isLocked(TriangleCounter::RightKnob));
    // Later presses, and a turn that was under way, change nothing.
    EXPECT_EQ(counter.check(), TriangleCounter::NoCheck);
    counter.turned(TriangleCounter::RightKnob);
    EXPECT_EQ(counter.getCount(), 2);
}

TEST(TriangleCounter, DigitsAreCentredAndAnglesNormalised)
{
    int widths[10];
    int heights[10];
    std::fill(widths, widths + 10, 40);
    std::fill(heights, heights + 10, 60);
    TriangleCounter::DigitPlaces p = TriangleCounter::digitPlaces(7, widths, heights);
    EXPECT_EQ(p.tens, -1);
    EXPECT_EQ(p.unitsX, 480);
    EXPECT_EQ(p.y, 582);
    p = TriangleCounter::digitPlaces(23, widths, heights);
    EXPECT_EQ(p.tens, 2);
    EXPECT_EQ(p.units, 3);
    EXPECT_EQ(p.tensX, 460);
    EXPECT_EQ(p.unitsX, 500);
    widths[1] = 20;
    EXPECT_EQ(TriangleCounter::digitPlaces(10, widths, heights).unitsX, 490);
    EXPECT_FLOAT_EQ(TriangleCounter::normaliseAngle(-36.f), 324.f);
    EXPECT_FLOAT_EQ(TriangleCounter::normaliseAngle(396.f), 36.f);
    EXPECT_FLOAT_EQ(TriangleCounter::normaliseAngle(360.f), 360.f);
}

TEST(ImagePuzzleBoard, PiecesSnapNearerThanTwentyPixelsOnce)
{
    ImagePuzzleBoard board(4, 3, Point(272, 204), Point(120, 120));
    ASSERT_EQ(board.count(), 12);
    EXPECT_EQ(board.home(5), Point(392, 324));
    EXPECT_FALSE(board.drop(0, Point(292, 204)));    // 20.0 away
    EXPECT_FALSE(board.drop(0, Point(284, 220)));    // 20.0 away
    EXPECT_TRUE(board.drop(0, Point(286, 218)));     // 19.8 away
    EXPECT_FALSE(board.drop(0, Point(272, 204)));    // placed already
    EXPECT_EQ(board.getPlacedCount(), 1);
    for (int i = 1; i < board.count(); ++i)
        EXPECT_TRUE(board.drop(i, board.home(i)));
    EXPECT_TRUE(board.isSolved());
    EXPECT_FALSE(board.drop(12, Point(0, 0)));
    EXPECT_FALSE(ImagePuzzleBoard(0, 3, Point(), Point()).isSolved());
}

TEST(ImagePuzzleBoard, PressesToggleCarryingAndLoosePiecesRiseInOrder)
{
    ImagePuzzleBoard board(4, 3, Point(0, 0), Point(10, 10));
    EXPECT_EQ(board.press(2000 + 12), ImagePuzzleBoard::Ignored);
    EXPECT_EQ(board.press(1999), ImagePuzzleBoard::Ignored);
    EXPECT_FALSE(board.isCarrying());
    EXPECT_EQ(board.press(2003), ImagePuzzleBoard::PickedUp);
    // Any piece's press puts the carried one down.
    EXPECT_EQ(board.press(2007), ImagePuzzleBoard::PutDown);
    EXPECT_EQ(ImagePuzzleBoard::raiseOrder({{4, 30}, {1, 12}, {7, 30}, {2, 5}}), (std::vector<int>{2, 1, 4, 7}));
    Scripted random{{803, 517}};
    EXPECT_EQ(ImagePuzzleBoard::scatter(std::ref(random)), Point(803, 517));
}

TEST(ArmourSlotState, ThreePartsMakeADraggableSlotThatSnapsInItsWindow)
{
    ArmourSlotState slot(Point(209, 556), Point(400, 100));
    EXPECT_TRUE(slot.collect(2));
    EXPECT_FALSE(slot.collect(2));
    EXPECT_FALSE(slot.collect(3));
    EXPECT_TRUE(slot.collect(0));
    EXPECT_FALSE(slot.isDraggable());
    EXPECT_FALSE(slot.startDrag());
    EXPECT_TRUE(slot.collect(1));
    EXPECT_EQ(slot.getCollected(), (std::vector<int>{2, 0, 1}));
    EXPECT_TRUE(slot.isDraggable());
    // The window of a 100 x 100 item: 350 ... 449 on both sides of x.
    EXPECT_TRUE(ArmourSlotState::isInTarget(Point(350, 100), Point(400, 100), 100, 100));
    EXPECT_TRUE(ArmourSlotState::isInTarget(Point(449, 149), Point(400, 100), 100, 100));
    EXPECT_FALSE(ArmourSlotState::isInTarget(Point(450, 100), Point(400, 100), 100, 100));
    EXPECT_FALSE(ArmourSlotState::isInTarget(Point(349, 100), Point(400, 100), 100, 100));
    ASSERT_TRUE(slot.startDrag());
    EXPECT_EQ(slot.release(Point(450, 100), 100, 100), ArmourSlotState::BackHome);
    EXPECT_TRUE(slot.isDraggable());
    ASSERT_TRUE(slot.startDrag());
    EXPECT_EQ(slot.release(Point(430, 80), 100, 100), ArmourSlotState::Placed);
    EXPECT_FALSE(slot.isDraggable());
    EXPECT_FALSE(slot.startDrag());
}

TEST(ArmourSlotState, AReleaseWithoutADragPlacesNothing)
{
    // Home inside the target window, only two parts collected.
    ArmourSlotState slot(Point(400, 100), Point(400, 100));
    slot.collect(0);
    slot.collect(1);
    EXPECT_EQ(slot.release(Point(400, 100), 100, 100), ArmourSlotState::NoDrag);
    EXPECT_FALSE(slot.isPlaced());
}

TEST(CollectArmourFile, SlotsAndPartsAreReadWithMissingNumbersAsMinusOne)
{
    TempFolder folder;
    const std::string path = folder.path() + "/armour.xml";
    std::ofstream(path) << "<CollectArmour>"
                           "<ArmourSlot texture='helmet' startX='209' startY='556' endX='452'>"
                           "<ArmourPart x='10' y='20' texture='helmetP1'/><ArmourPart x='30' texture='helmetP2'/>"
                           "<ArmourPart x='50' y='60' texture='helmetP3'/><ArmourPart x='1' y='1' texture='extra'/>"
                           "</ArmourSlot>"
                           "<ArmourSlot texture='boots'><ArmourPart x='5' y='6' texture='bootsP1'/></ArmourSlot>"
                           "</CollectArmour>";
    const std::vector<ArmourSlotDesc> slots = CollectArmourFile::load(path);
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0].texture, "helmet");
    EXPECT_EQ(slots[0].startX, 209);
    EXPECT_EQ(slots[0].endY, -1);
    // A fourth part has no piece picture: left out.
    ASSERT_EQ(slots[0].parts.size(), 3u);
    EXPECT_EQ(slots[0].parts[1].y, -1);
    EXPECT_EQ(slots[0].parts[2].texture, "helmetP3");
    EXPECT_EQ(slots[1].parts.size(), 1u);
    EXPECT_EQ(slots[1].startX, -1);
    // No file, or another root: nothing.
    EXPECT_TRUE(CollectArmourFile::load(folder.path() + "/none.xml").empty());
    std::ofstream(path) << "<Armour><ArmourSlot texture='x'/></Armour>";
    EXPECT_TRUE(CollectArmourFile::load(path).empty());
}
