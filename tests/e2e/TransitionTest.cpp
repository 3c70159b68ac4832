// Screen transitions on the fake game clock, read back from drawn frames: a
// white screen fading in, the fade standing still while the window has lost
// the input focus, and a fade to black before the screen's onClosed.
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/core/GameClock.h"
#include "tests/e2e/EndToEndTest.h"

namespace {

const Color kWhite(255, 255, 255);
const Color kBlack(0, 0, 0);
const Color kBlue(40, 40, 200);

class Transitions : public EndToEndTest {
protected:
    // A white stage fading in over 500 ms, shown now; the clock time of the
    // show is kept.
    void showFadingIn()
    {
        ASSERT_NO_FATAL_FAILURE(startApp());
        auto* s = new StageScreen("S", log());
        s->setFill(kWhite);
        s->setInTransition(new FadeInTransition(500));
        shownAt = clockTime();
        app->showScreen(s);
        stage = s;
        fade = dynamic_cast<FadeInTransition*>(s->getInTransition());
        ASSERT_NE(fade, nullptr);
    }

    uint64_t clockTime() { return app->getClock()->elapsed(); }
    uint64_t sinceShown() { return clockTime() - shownAt; }

    // Runs frames until the frame that starts now would end `ms` after the show.
    void runUntilNextFrameEndsAt(uint64_t ms)
    {
        ASSERT_TRUE(stepUntil([&] { return sinceShown() + 10 >= ms; }, 1000)) << LOG_TEXT;
    }

    StageScreen* stage = nullptr;
    FadeInTransition* fade = nullptr;  // owned by the stage
    uint64_t shownAt = 0;
};

} // namespace

TEST_F(Transitions, AFadeInDarkensAWhiteScreenByTheClockAndEntersOnce)
{
    ASSERT_NO_FATAL_FAILURE(showFadingIn());
    const Color first = capture("first").at(512, 384);
    EXPECT_LE(first.r, 16) << "starts black " << describe(first);

    ASSERT_NO_FATAL_FAILURE(runUntilNextFrameEndsAt(250));
    const Color half = capture("250ms").at(512, 384);
    EXPECT_EQ(sinceShown(), 250u);
    EXPECT_GE(half.r, 110) << describe(half);
    EXPECT_LE(half.r, 145) << describe(half);
    EXPECT_TRUE(half.r == half.g && half.g == half.b) << "grey " << describe(half);
    EXPECT_EQ(count("S onEntered"), 0);

    // The black is gone 500 ms after the show; the screen enters in the
    // frame after the one that drew the alpha 0.
    int64_t clearFrame = -1;
    for (int i = 0; i < 60 && count("S onEntered") == 0; ++i) {
        run("step\n");
        if (count("S onEntered") == 0 && fade->getAlpha() == 0 && clearFrame < 0) {
            clearFrame = static_cast<int64_t>(driver.frame());
            EXPECT_EQ(sinceShown(), 500u);
        }
    }
    ASSERT_GE(clearFrame, 0) << LOG_TEXT;
    EXPECT_EQ(log().frameOf("S onEntered"), clearFrame + 1) << LOG_TEXT;

    ASSERT_NO_FATAL_FAILURE(runUntilNextFrameEndsAt(600));
    BmpImage done = capture("600ms");
    EXPECT_EQ(done.at(512, 384), kWhite) << describe(done.at(512, 384));
    EXPECT_EQ(done.at(0, 0), kWhite) << describe(done.at(0, 0));
    EXPECT_EQ(done.at(1023, 767), kWhite) << describe(done.at(1023, 767));

    run("step 20\n");
    EXPECT_EQ(count("S onEntered"), 1) << LOG_TEXT;
    EXPECT_EQ(stage->getState(), ScreenBase::Idle);
}

TEST_F(Transitions, LosingTheFocusHoldsTheFadeWhereItIs)
{
    ASSERT_NO_FATAL_FAILURE(showFadingIn());
    ASSERT_NO_FATAL_FAILURE(runUntilNextFrameEndsAt(200));
    run("focus lost\nstep\n");
    ASSERT_TRUE(app->getClock()->isPaused()) << LOG_TEXT;
    // The clock stopped at the start of that frame, before its time passed.
    const uint64_t pausedAt = sinceShown();
    const int held = fade->getAlpha();
    EXPECT_NEAR(held, 255.0 - 255.0 * static_cast<double>(pausedAt) / 500.0, 1.0) << pausedAt << " ms";
    const Color before = capture("held-start").at(512, 384);
    EXPECT_EQ(before.r, 255 - held) << describe(before);

    const uint64_t wallBefore = driver.now();
    for (int i = 0; i < 30; ++i) {
        run("step\n");
        ASSERT_EQ(fade->getAlpha(), held) << "after " << (i + 1) << " frames without focus";
    }
    EXPECT_GE(driver.now() - wallBefore, 300u);
    EXPECT_EQ(capture("held-end").at(512, 384), before);
    EXPECT_EQ(count("S onEntered"), 0);

    // With the focus back the fade goes on from there and ends 500 ms of
    // clock time after it began: the paused time does not count.
    run("focus gained\nstep\n");
    EXPECT_LT(fade->getAlpha(), held);
    ASSERT_TRUE(stepUntil([&] { return count("S onEntered") > 0; })) << LOG_TEXT;
    EXPECT_GE(sinceShown(), 500u);
    EXPECT_LE(sinceShown(), 530u);
    EXPECT_GE(driver.now() - wallBefore, 600u);
    run("step 5\n");
    EXPECT_EQ(count("S onEntered"), 1) << LOG_TEXT;
    EXPECT_EQ(capture("resumed").at(512, 384), kWhite);
}

TEST_F(Transitions, AFadeOutEndsFullyBlackBeforeOnClosed)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showStage("B", kBlue);
    auto* s = new StageScreen("S", log());
    s->setFill(kWhite);
    s->setOutTransition(new FadeOutTransition(300));
    // Any key closes it; its onClosed pops it, uncovering B.
    s->onKeyAction = [](ProbeScreen& self) {
        if (self.getState() != ScreenBase::Leaving)
            self.close(7, true);
    };
    s->onClosedAction = [this](ProbeScreen&) { app->popScreen(); };
    app->showScreen(s);
    auto* fade = dynamic_cast<FadeInTransition*>(s->getOutTransition());
    ASSERT_NE(fade, nullptr);
    run("step 2\nkey escape\n");

    // Frame by frame: the alpha after each frame, the frame's centre pixel.
    int64_t blackFrame = -1;
    uint64_t lastFrame = 0;
    Color lastCentre;
    int lastAlpha = -1;
    for (int i = 0; i < 100 && log().frameOf("S onClosed 7") < 0; ++i) {
        const BmpImage shot = capture("out");
        ASSERT_TRUE(shot.ok());
        if (log().frameOf("S onClosed 7") >= 0) {
            // The frame of onClosed shows B: the screen was popped before drawing.
            EXPECT_EQ(shot.at(512, 384), kBlue) << describe(shot.at(512, 384));
            break;
        }
        const int alpha = fade->getAlpha();  // the screen is still alive
        EXPECT_GE(alpha, lastAlpha) << "the alpha only rises";
        EXPECT_EQ(shot.at(512, 384).r, 255 - alpha) << "frame " << driver.frame();
        if (alpha == 255 && blackFrame < 0)
            blackFrame = static_cast<int64_t>(driver.frame());
        lastFrame = driver.frame();
        lastCentre = shot.at(512, 384);
        lastAlpha = alpha;
    }
    const int64_t closedFrame = log().frameOf("S onClosed 7");
    ASSERT_GE(closedFrame, 0) << LOG_TEXT;
    ASSERT_GE(blackFrame, 0) << LOG_TEXT;
    EXPECT_EQ(count("S onClosed 7"), 1);

    // The last frame drawn before onClosed is fully black.
    EXPECT_EQ(lastFrame + 1, static_cast<uint64_t>(closedFrame));
    EXPECT_EQ(lastCentre, kBlack) << describe(lastCentre);
    // The alpha reaches 255 in one update; the fade reports its end in the
    // next (so the black is drawn), and the screen acts on the report in the
    // update after that: onClosed two frames after the alpha reached 255.
    EXPECT_EQ(closedFrame, blackFrame + 2) << LOG_TEXT;
    const std::vector<ScreenBase*>& screens = app->getScreens();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0]->getName(), "B");
    EXPECT_TRUE(screens[0]->isActive());
}
