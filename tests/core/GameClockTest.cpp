#include "engine/core/GameClock.h"

#include <gtest/gtest.h>

namespace {
// Installs a hand-stepped timer for the length of a test.
struct FakeTicks {
    uint64_t now = 0;
    FakeTicks() { setTickSource([this] { return now; }); }
    ~FakeTicks() { setTickSource(nullptr); }
};
}

TEST(GameClock, NewClockStandsStillAtZero)
{
    FakeTicks t;
    t.now = 1000;
    GameClock c;
    t.now = 5000;
    EXPECT_EQ(c.elapsed(), 0u);
    EXPECT_TRUE(c.isPaused());
    c.resume();
    t.now = 5250;
    EXPECT_EQ(c.elapsed(), 250u);
}

TEST(GameClock, PausedTimeDoesNotCount)
{
    FakeTicks t;
    GameClock c;
    t.now = 1000;
    c.reset();
    t.now = 1500;
    c.pause();
    t.now = 2000;
    EXPECT_EQ(c.elapsed(), 500u);
    t.now = 4000;
    EXPECT_EQ(c.elapsed(), 500u);
    c.resume();
    EXPECT_EQ(c.elapsed(), 500u);
    t.now = 4100;
    EXPECT_EQ(c.elapsed(), 600u);
}

TEST(GameClock, RepeatedPauseKeepsFirstTimeAndResumeWhileRunningIsIgnored)
{
    FakeTicks t;
    GameClock c;
    t.now = 100;
    c.reset();
    t.now = 200;
    c.resume();  // running: nothing changes
    EXPECT_EQ(c.elapsed(), 100u);
    t.now = 300;
    c.pause();
    t.now = 900;
    c.pause();  // second pause keeps 300
    c.resume();
    t.now = 1000;
    EXPECT_EQ(c.elapsed(), 300u);
}

TEST(GameClock, ResetRestartsFromZeroEvenWhilePaused)
{
    FakeTicks t;
    GameClock c;
    t.now = 10;
    c.reset();
    t.now = 50;
    c.pause();
    t.now = 70;
    c.reset();
    EXPECT_FALSE(c.isPaused());
    t.now = 75;
    EXPECT_EQ(c.elapsed(), 5u);
}
