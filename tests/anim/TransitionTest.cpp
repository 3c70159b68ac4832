#include "engine/anim/EmptyTransition.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/anim/TransitionListener.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Recorder : TransitionListener {
    std::vector<int> finished;
    void onTransitionFinished(int id) override { finished.push_back(id); }
};

// Steps the clock by `ms`, then updates the transition with that frame time.
void frame(Transition& t, int ms)
{
    FakeAppContext::advance(static_cast<uint64_t>(ms));
    t.update(ms);
}

} // namespace

TEST(EmptyTransition, ReportsItsIdBeforeStartReturns)
{
    EmptyTransition t;
    Recorder r;
    t.start(&r, -1000);
    ASSERT_EQ(r.finished, std::vector<int>{-1000});
    EXPECT_FALSE(t.isRunning());
    t.update(16);
    EXPECT_EQ(r.finished.size(), 1u);
}

TEST(EmptyTransition, WithoutListenerOnlyStops)
{
    EmptyTransition t;
    t.start(nullptr, 7);
    EXPECT_FALSE(t.isRunning());
    EXPECT_EQ(t.getId(), 7);
}

TEST(FadeInTransition, FollowsTheGameClockAndReportsOneUpdateAfterReachingZero)
{
    FakeAppContext app;
    FadeInTransition fade(500);
    Recorder r;
    fade.start(&r, -1000);
    EXPECT_TRUE(fade.isRunning());
    EXPECT_EQ(fade.getAlpha(), 255);

    // The frame time handed to update does not matter: the clock does.
    // Half way: 255 - 127.5, truncated.
    FakeAppContext::advance(250);
    fade.update(1);
    EXPECT_EQ(fade.getAlpha(), 127);

    FakeAppContext::advance(249);
    fade.update(1);
    EXPECT_LE(fade.getAlpha(), 1);
    EXPECT_TRUE(r.finished.empty());

    frame(fade, 1);
    EXPECT_EQ(fade.getAlpha(), 0);
    EXPECT_TRUE(r.finished.empty()) << "the end value must be drawn once before the report";
    EXPECT_TRUE(fade.isRunning());

    frame(fade, 16);
    EXPECT_EQ(r.finished, std::vector<int>{-1000});
    EXPECT_FALSE(fade.isRunning());

    frame(fade, 16);
    EXPECT_EQ(r.finished.size(), 1u) << "reported exactly once";
    EXPECT_EQ(fade.getAlpha(), 0);
}

TEST(FadeOutTransition, EndsFullyBlackAndReportsOneUpdateLater)
{
    FakeAppContext app;
    FadeOutTransition fade(300);
    Recorder r;
    fade.start(&r, -1001);
    EXPECT_EQ(fade.getAlpha(), 0);
    frame(fade, 150);
    EXPECT_EQ(fade.getAlpha(), 127);
    frame(fade, 1000);
    EXPECT_EQ(fade.getAlpha(), 255);
    EXPECT_TRUE(r.finished.empty());
    frame(fade, 16);
    EXPECT_EQ(r.finished, std::vector<int>{-1001});
    EXPECT_EQ(fade.getAlpha(), 255);
}

TEST(FadeInTransition, StandsStillWhileTheClockIsPaused)
{
    FakeAppContext app;
    FadeInTransition fade(400);
    fade.start(nullptr, -1000);
    frame(fade, 100);
    const int before = fade.getAlpha();
    app.clock.pause();
    frame(fade, 300);
    frame(fade, 300);
    EXPECT_EQ(fade.getAlpha(), before);
    EXPECT_TRUE(fade.isRunning());
    app.clock.resume();
    frame(fade, 300);
    EXPECT_EQ(fade.getAlpha(), 0);
}

TEST(FadeInTransition, WithoutAnApplicationCountsTheFedFrameTime)
{
    ASSERT_EQ(appContext(), nullptr);
    FadeInTransition fade(100);
    Recorder r;
    fade.start(&r, 3);
    fade.update(50);
    EXPECT_EQ(fade.getAlpha(), 127);
    fade.update(50);
    EXPECT_EQ(fade.getAlpha(), 0);
    EXPECT_TRUE(r.finished.empty());
    fade.update(0);
    EXPECT_EQ(r.finished, std::vector<int>{3});
}

TEST(FadeInTransition, UpdateWhenNotRunningDoesNothing)
{
    FakeAppContext app;
    FadeInTransition fade(100);
    Recorder r;
    frame(fade, 500);
    EXPECT_EQ(fade.getAlpha(), 255);
    EXPECT_FALSE(fade.isRunning());

    fade.start(&r, 1);
    frame(fade, 100);
    frame(fade, 16);
    ASSERT_EQ(r.finished.size(), 1u);
    frame(fade, 16);
    frame(fade, 16);
    EXPECT_EQ(r.finished.size(), 1u);
}

TEST(FadeInTransition, RestartingBeginsTheRampAgain)
{
    FakeAppContext app;
    FadeInTransition fade(200);
    Recorder r;
    fade.start(&r, 1);
    frame(fade, 150);
    EXPECT_EQ(fade.getAlpha(), 63);
    fade.start(&r, 2);
    EXPECT_EQ(fade.getAlpha(), 255);
    frame(fade, 100);
    EXPECT_EQ(fade.getAlpha(), 127) << "time counts from the restart";
    frame(fade, 100);
    frame(fade, 16);
    EXPECT_EQ(r.finished, std::vector<int>{2});
}

TEST(FadeInTransition, ZeroDurationEndsAtTheFirstUpdate)
{
    FakeAppContext app;
    FadeOutTransition fade(0);
    Recorder r;
    fade.start(&r, 9);
    fade.update(0);
    EXPECT_EQ(fade.getAlpha(), 255);
    EXPECT_TRUE(r.finished.empty());
    fade.update(0);
    EXPECT_EQ(r.finished, std::vector<int>{9});
}

TEST(FadeInTransition, DrawsBlackOverTheWholeWindowAtTheCurrentAlpha)
{
    FakeAppContext app;
    FadeInTransition fade(500);
    RecordingGraphics g;
    fade.start(nullptr, -1000);
    fade.drawUnder(g);
    EXPECT_TRUE(g.calls.empty());
    fade.drawOver(g);
    frame(fade, 250);
    fade.drawOver(g);
    EXPECT_EQ(g.calls, (std::vector<std::string>{"fillRect 0 0 1024 768 0,0,0,255", "fillRect 0 0 1024 768 0,0,0,127"}));
}
