// The tile-swap games without a window: the board's slots, presses and
// shuffles; the cipher rules and their opening step; the swing exchange's
// schedule and the order in which it reports.
#include "minigames/CipherRules.h"
#include "minigames/SwingSwapEffect.h"
#include "minigames/TileBoard.h"
#include "minigames/TileSwapListener.h"
#include "minigames/TileWidget.h"
#include "tests/anim/FakeAppContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

TileBoard boardOf(int n)
{
    TileBoard board;
    for (int i = 0; i < n; ++i)
        board.addTile(i);
    return board;
}

// A seeded random source that refuses a range it could not serve.
TileBoard::Random seeded(unsigned seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int n) {
        EXPECT_GE(n, 1);
        return static_cast<int>((*engine)() % static_cast<unsigned>(n > 0 ? n : 1));
    };
}

void expectInverse(const TileBoard& board)
{
    for (int slot = 0; slot < board.size(); ++slot)
        ASSERT_EQ(board.slotOf(board.tileAt(slot)), slot);
}

}  // namespace

TEST(TileBoard, PressesSelectDeselectAndSwapButNotWhileBusy)
{
    TileBoard board = boardOf(4);
    TileBoard::Press p = board.press(2);
    EXPECT_EQ(p.kind, TileBoard::Press::Selected);
    EXPECT_EQ(board.getSelectedSlot(), 2);
    // The selected tile again: deselected, no swap.
    p = board.press(2);
    EXPECT_EQ(p.kind, TileBoard::Press::Deselected);
    EXPECT_EQ(p.slot, 2);
    EXPECT_EQ(board.getSelectedSlot(), -1);
    EXPECT_FALSE(board.isSelectionActive());
    // First tile is A.
    board.press(3);
    p = board.press(0);
    EXPECT_EQ(p.kind, TileBoard::Press::Swap);
    EXPECT_EQ(p.slot, 3);
    EXPECT_EQ(p.otherSlot, 0);
    EXPECT_EQ(board.getSelectedSlot(), -1);
    // While busy, and for unknown ids, nothing changes.
    board.press(1);
    board.setSwapBusy(true);
    EXPECT_EQ(board.press(2).kind, TileBoard::Press::Ignored);
    EXPECT_EQ(board.getSelectedSlot(), 1);
    board.setSwapBusy(false);
    EXPECT_EQ(board.press(99).kind, TileBoard::Press::Ignored);
    EXPECT_EQ(board.slotOf(99), -1);
    EXPECT_FALSE(board.contains(99));
    EXPECT_EQ(board.size(), 4);
}

TEST(TileBoard, SlotsAndTilesStayInverseThroughRandomPlay)
{
    TileBoard board = boardOf(7);
    std::mt19937 engine(42);
    for (int step = 0; step < 2000; ++step) {
        const TileBoard::Press p = board.press(static_cast<int>(engine() % 9));
        if (p.kind == TileBoard::Press::Swap)
            board.commitSwap(board.tileAt(p.slot), board.tileAt(p.otherSlot));
        expectInverse(board);
    }
    std::vector<int> sorted = board.tiles();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(TileBoard, ShufflingRepeatsWhileSolvedAndAlwaysEnds)
{
    TileBoard board = boardOf(5);
    EXPECT_EQ(board.shuffle(seeded(1), [](const TileBoard&) { return false; }), 1);
    int checks = 0;
    EXPECT_EQ(board.shuffle(seeded(2), [&checks](const TileBoard&) { return ++checks <= 3; }), 4);
    expectInverse(board);
    // A board that every arrangement solves gives up instead of hanging.
    EXPECT_EQ(board.shuffle(seeded(3), [](const TileBoard&) { return true; }), TileBoard::MaxShufflePasses);
    // Nothing to shuffle with fewer than two tiles.
    for (int n : {0, 1}) {
        TileBoard small = boardOf(n);
        EXPECT_EQ(small.shuffle(seeded(4), [](const TileBoard&) { return true; }), 0);
    }
}

TEST(CipherRules, ATileIsInPlaceWhenItsSlotWantsItsSymbol)
{
    TileBoard board = boardOf(3);
    const CipherRules rules("ABC", "ACB");
    EXPECT_TRUE(rules.isTileInPlace(board, 0));
    EXPECT_FALSE(rules.isTileInPlace(board, 1));
    EXPECT_FALSE(rules.isSolved(board));
    board.swapSlots(1, 2);
    EXPECT_TRUE(rules.isSolved(board));
    // A solution shorter than the board: the slot beyond it wants nothing.
    const CipherRules shortRules("ABC", "AB");
    TileBoard straight = boardOf(3);
    EXPECT_FALSE(shortRules.isTileInPlace(straight, 2));
    EXPECT_FALSE(shortRules.isSolved(straight));
    EXPECT_EQ(shortRules.symbolOf(7), '\0');
}

TEST(CipherRules, NoTileStartsInPlaceForAnySeed)
{
    for (const std::string word : {"ABCDEF", "AB"}) {
        const CipherRules rules(word, word);
        for (unsigned seed = 0; seed < 10000; ++seed) {
            TileBoard board = boardOf(static_cast<int>(word.size()));
            const TileBoard::Random random = seeded(seed);
            board.shuffle(random, [&rules](const TileBoard& b) { return rules.isSolved(b); });
            ASSERT_TRUE(rules.moveAllOutOfPlace(board, random)) << word << " seed " << seed;
            for (int id : board.tiles())
                ASSERT_FALSE(rules.isTileInPlace(board, id)) << word << " seed " << seed;
            expectInverse(board);
        }
    }
}

TEST(CipherRules, SymbolsThatCannotAllLeaveTheirPlacesStillEnd)
{
    // Two equal symbols out of three: one of them always stands in place.
    TileBoard board = boardOf(3);
    EXPECT_FALSE(CipherRules("AAB", "AAB").moveAllOutOfPlace(board, seeded(5)));
    // One tile: no random number is asked for (seeded() checks n >= 1).
    TileBoard one = boardOf(1);
    EXPECT_FALSE(CipherRules("A", "A").moveAllOutOfPlace(one, seeded(6)));
    EXPECT_TRUE(CipherRules("A", "B").moveAllOutOfPlace(one, seeded(6)));
}

TEST(SwingSwapEffect, TheSwingHasEightDampedSwingsOf1958Ms)
{
    const std::vector<SwingSwapEffect::SwingStep> a = SwingSwapEffect::swingSchedule(10.f, 1);
    ASSERT_EQ(a.size(), 17u);
    EXPECT_FLOAT_EQ(a[0].distance, -10.f);
    EXPECT_EQ(a[0].ms, 200);
    EXPECT_TRUE(a[0].fromRest);
    const float amplitudes[] = {10.f, 6.667f, 4.444f, 2.963f, 1.975f, 1.317f, 0.878f, 0.585f};
    const int times[] = {200, 163, 134, 110, 90, 73, 60, 49};
    int total = a[0].ms;
    for (int k = 0; k < 8; ++k) {
        const SwingSwapEffect::SwingStep& out = a[static_cast<size_t>(1 + 2 * k)];
        const SwingSwapEffect::SwingStep& back = a[static_cast<size_t>(2 + 2 * k)];
        EXPECT_NEAR(std::fabs(out.distance), amplitudes[k], 0.001f) << k;
        EXPECT_FLOAT_EQ(back.distance, -out.distance);
        EXPECT_EQ(out.ms, times[k]) << k;
        EXPECT_EQ(back.ms, times[k]);
        EXPECT_FALSE(out.fromRest);
        EXPECT_TRUE(back.fromRest);
        total += out.ms + back.ms;
    }
    EXPECT_EQ(total, 1958);
    // Tile A swings to -10 first, tile B the mirror image.
    EXPECT_LT(a[1].distance, 0.f);
    const std::vector<SwingSwapEffect::SwingStep> b = SwingSwapEffect::swingSchedule(10.f, -1);
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_FLOAT_EQ(b[i].distance, -a[i].distance);
}

namespace {

struct SwapLog : TileSwapListener {
    int clock = 0;
    std::vector<std::pair<std::string, int>> events;
    void onSwapStarted(int a, int b) override { events.emplace_back("started " + ids(a, b), clock); }
    void onSwapCommit(int a, int b) override { events.emplace_back("commit " + ids(a, b), clock); }
    void onSwapFinished(int a, int b) override { events.emplace_back("finished " + ids(a, b), clock); }
    static std::string ids(int a, int b) { return std::to_string(a) + " " + std::to_string(b); }
};

}  // namespace

TEST(SwingSwapEffect, TilesTradePlacesThenSwingToRest)
{
    TileWidget a(nullptr, 3, nullptr);
    TileWidget b(nullptr, 5, nullptr);
    a.setBounds(100, 50, 160, 160);
    b.setBounds(500, 270, 160, 160);
    // The swing's accelerators run on the game clock, which moves with the frames.
    FakeAppContext app;
    SwapLog log;
    SwingSwapEffect effect;
    effect.start(&a, &b, &log);
    EXPECT_EQ(a.rotationPivot, Point(80, 10));
    EXPECT_EQ(a.scalePivot, Point(80, 80));
    float lowestA = 0.f;
    float highestB = 0.f;
    while (effect.isRunning() && log.clock < 5000) {
        log.clock += 10;
        FakeAppContext::advance(10);
        effect.update(10);
        if (log.events.size() == 2) {
            lowestA = std::min(lowestA, a.angle);
            highestB = std::max(highestB, b.angle);
        }
        if (log.clock == 450) {
            // Lifted, half way, tilted opposite ways.
            EXPECT_NEAR(a.scale, 1.1f, 1e-4f);
            EXPECT_GT(a.angle, 0.f);
            EXPECT_LT(b.angle, 0.f);
        }
    }
    ASSERT_EQ(log.events.size(), 3u);
    EXPECT_EQ(log.events[0], std::make_pair(std::string("started 3 5"), 0));
    EXPECT_EQ(log.events[1].first, "commit 3 5");
    EXPECT_EQ(log.events[2].first, "finished 3 5");
    // 900 ms of movement and 1958 ms of swing, a frame late at each step.
    EXPECT_GE(log.events[1].second, 900);
    EXPECT_LE(log.events[1].second, 950);
    EXPECT_GE(log.events[2].second - log.events[1].second, 1958);
    EXPECT_LE(log.events[2].second - log.events[1].second, 2200);
    EXPECT_EQ(a.getGeometry().x, 500);
    EXPECT_EQ(a.getGeometry().y, 270);
    EXPECT_EQ(b.getGeometry().x, 100);
    EXPECT_NEAR(lowestA, -10.f, 0.5f);
    EXPECT_NEAR(highestB, 10.f, 0.5f);
    EXPECT_FLOAT_EQ(a.angle, 0.f);
    EXPECT_FLOAT_EQ(b.angle, 0.f);
    EXPECT_NEAR(a.scale, 1.f, 1e-5f);
}
