// The main loop through the headless driver: event polling and its quit rule,
// the frame time and its cap, the records the screens receive, the walks over
// a stack that changes under them, focus, the quit flags and the signals
// that end the game.
#include "engine/core/GameClock.h"
#include "tests/app/DrivenAppTest.h"
#include "tests/driver/HookLog.h"

#include <algorithm>
#include <csignal>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using MainLoop = DrivenAppTest;

// Gives the signal this handler; returns the one it had.
void (*handle(int signal, void (*handler)(int)))(int)
{
    struct sigaction action {}, previous {};
    action.sa_handler = handler;
    sigaction(signal, &action, &previous);
    return previous.sa_handler;
}

// An application whose start gets a signal while it opens the window, where
// a full-screen start can hang (SDL 1.2 waits there for a pointer grab that
// another program holds).
class SignalledStart : public DriverApp {
public:
    SignalledStart(HookLog& log, int signal) : DriverApp(log), signal(signal) {}
    void onBeforeVideoMode() override
    {
        DriverApp::onBeforeVideoMode();
        if (signal != 0)
            std::raise(signal);
    }

private:
    int signal;
};

// Starts an application in a child process, which gets `signal` during its
// start (`during`) or after it, before its loop runs; the child leaves with
// status 0 if it survives the signal. Returns the child's wait status.
int startInChildWithSignal(int signal, bool during)
{
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        handle(signal, SIG_DFL);
        HeadlessDriver driver;
        HookLog log;
        SignalledStart app(log, during ? signal : 0);
        driver.attach(app);
        app.initApp();
        if (!app.isWindowOpen())
            ::_exit(4);
        if (!during)
            std::raise(signal);
        ::_exit(0);
    }
    int status = -1;
    if (child > 0)
        ::waitpid(child, &status, 0);
    return status;
}

} // namespace

TEST(MainLoopStart, AnExitSignalBeforeTheLoopRunsEndsTheProgramAtOnce)
{
    // Nothing reads a request before the loop runs: the signal must end the
    // program itself, as its default action does.
    const struct {
        int signal;
        bool during;
    } cases[] = {{SIGTERM, true}, {SIGTERM, false}, {SIGINT, true}, {SIGHUP, false}};
    for (const auto& c : cases) {
        const int status = startInChildWithSignal(c.signal, c.during);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal)
            << "signal " << c.signal << (c.during ? " while opening the window" : " after the start") << ": "
            << (WIFEXITED(status) ? "exited with " + std::to_string(WEXITSTATUS(status)) + " (4: no window)"
                                  : "killed by " + std::to_string(WTERMSIG(status)));
    }
}

TEST_F(MainLoop, AnExitSignalEndsTheLoopThroughOnExitWithoutAskingUnlessItIsIgnored)
{
    // SIGTERM as a logout sends it; SIGHUP ignored as nohup leaves it.
    void (*const term)(int) = handle(SIGTERM, SIG_DFL);
    void (*const hup)(int) = handle(SIGHUP, SIG_IGN);
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    app->setQuitAnswer(false);  // a quit request would keep the game running
    ASSERT_EQ(std::raise(SIGHUP), 0);
    ASSERT_TRUE(driver.step(2));
    ASSERT_EQ(std::raise(SIGTERM), 0);  // the handler only records it
    EXPECT_FALSE(driver.step(3)) << "the loop did not end";
    EXPECT_EQ(driver.frame(), 2u);
    EXPECT_GE(log().find("onExit"), 0) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("onQuitRequested").size(), 0u) << LOG_TEXT;
    // SDL's handlers and ours are gone with SDL; the ignored one stayed so.
    EXPECT_EQ(handle(SIGTERM, term), SIG_DFL);
    EXPECT_EQ(handle(SIGHUP, hup), SIG_IGN);
}

TEST_F(MainLoop, AQuitEventLeavesLaterEventsForTheNextFrame)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    app->setQuitAnswer(false);
    run("frame 3 quit\nframe 3 keydown a\nstep 2\n");
    EXPECT_EQ(log().frameOf("onQuitRequested no"), 3) << LOG_TEXT;
    EXPECT_EQ(log().frameOf("A key 97 0 97 97 mods 0"), 4) << LOG_TEXT;
    // Refused, the request is forgotten: the loop goes on.
    EXPECT_TRUE(driver.isRunning());
    EXPECT_FALSE(app->isQuitRequested());
    EXPECT_EQ(log().withPrefix("onQuitRequested").size(), 1u);

    app->setQuitAnswer(true);
    run("quit\n");
    EXPECT_FALSE(driver.step());
    const int quitAt = log().find("onQuitRequested yes");
    ASSERT_GE(quitAt, 0) << LOG_TEXT;
    EXPECT_LT(quitAt, log().find("loop ended"));
    EXPECT_LT(log().find("loop ended"), log().find("onExit"));
    EXPECT_FALSE(app->isWindowOpen());
}

TEST_F(MainLoop, QuitNowEndsTheLoopWithoutAsking)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    ProbeScreen* a = showProbe("A");
    a->onUpdateAction = [this](ProbeScreen&) {
        if (driver.frame() == 2)
            app->setQuitNow();
    };
    EXPECT_FALSE(driver.step(5));
    EXPECT_EQ(driver.frame(), 2u);
    EXPECT_EQ(log().withPrefix("onQuitRequested").size(), 0u);
    EXPECT_GE(log().find("onExit"), 0);
}

TEST_F(MainLoop, FrameTimeIsTheClockDeltaCappedAt30)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    ProbeScreen* a = showProbe("A");
    // One update "takes" 500 ms.
    a->onUpdateAction = [this](ProbeScreen&) {
        if (driver.frame() == 4)
            driver.advanceTime(500);
    };
    const uint64_t clockBefore = app->getClock()->elapsed();
    ASSERT_TRUE(driver.step(8));
    std::vector<std::string> dts = log().withPrefix("onUpdate ");
    ASSERT_EQ(dts.size(), 8u);
    for (size_t i = 0; i < dts.size(); ++i)
        EXPECT_EQ(dts[i], i == 4 ? "onUpdate 30" : "onUpdate 10") << "frame " << i + 1;
    EXPECT_EQ(log().frameOf("A update 30"), 5);
    // The clock itself is not capped.
    EXPECT_EQ(app->getClock()->elapsed() - clockBefore, 8u * 10u + 500u);

    // A script stall does the same between frames.
    log().clear();
    run("stall 45\nstep\nstep\n");
    EXPECT_EQ(log().withPrefix("onUpdate "), (std::vector<std::string>{"onUpdate 30", "onUpdate 10"}));
}

TEST_F(MainLoop, KeysReachTheScreensAsRecordsAndHotKeysAsZeroRecords)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    app->setQuitAnswer(false);
    run("key return\nkey shift+a\nstep\n");
    EXPECT_GE(log().find("A key 13 0 13 13 mods 0"), 0) << LOG_TEXT;
    EXPECT_GE(log().find("A key 13 1 0 0 mods 0"), 0) << LOG_TEXT;
    EXPECT_GE(log().find("A key 97 0 65 65 mods 1"), 0) << LOG_TEXT;
    EXPECT_FALSE(app->isFullscreen());

    // Alt+F4 asks to quit; the press reaches the screens as an all-zero
    // record, the release as itself.
    log().clear();
    run("key alt+F4\nstep\n");
    EXPECT_EQ(log().find("A key 0 0 0 0 mods 0"), 0) << LOG_TEXT;
    EXPECT_GE(log().find("A key 285 1 0 0 mods 256"), 0) << LOG_TEXT;
    EXPECT_GE(log().find("onQuitRequested no"), 0) << LOG_TEXT;
    // Either Alt.
    log().clear();
    run("key ralt+F4\nstep\n");
    EXPECT_GE(log().find("onQuitRequested no"), 0) << LOG_TEXT;
    // F4 without Alt is an ordinary key.
    log().clear();
    run("key F4\nstep\n");
    EXPECT_GE(log().find("A key 285 0 0 0 mods 0"), 0) << LOG_TEXT;
    EXPECT_EQ(log().find("onQuitRequested no"), -1) << LOG_TEXT;
}

TEST_F(MainLoop, MouseRecordsMapButtonsAndTrackThePointer)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    run("mouse move 100 50\nmouse down 100 50 left\nmouse move 103 46\nmouse up 103 46 left\n"
        "mouse click 10 20 right\nmouse click 11 21 middle\nstep\n");
    const std::vector<std::string> expected = {
        "A mouse 2 at 100,50 buttons 0 rel 100,50", "A mouse 0 at 100,50 buttons 1 rel 0,0",
        "A mouse 2 at 103,46 buttons 1 rel 3,-4",   "A mouse 1 at 103,46 buttons 1 rel 0,0",
        "A mouse 2 at 10,20 buttons 0 rel -93,-26", "A mouse 0 at 10,20 buttons 2 rel 0,0",
        "A mouse 1 at 10,20 buttons 2 rel 0,0",     "A mouse 2 at 11,21 buttons 0 rel 1,1",
        "A mouse 0 at 11,21 buttons 4 rel 0,0",     "A mouse 1 at 11,21 buttons 4 rel 0,0"};
    EXPECT_EQ(log().withPrefix("A mouse"), expected) << LOG_TEXT;
    EXPECT_EQ(app->getMousePos(), Point(11, 21));

    // A wheel notch: two records of the same type at 0,0, no button.
    log().clear();
    run("mouse wheel up\nmouse wheel down\nstep\n");
    EXPECT_EQ(log().withPrefix("A mouse"),
              (std::vector<std::string>{"A mouse 3 at 0,0 buttons 0 rel 0,0", "A mouse 3 at 0,0 buttons 0 rel 0,0",
                                        "A mouse 4 at 0,0 buttons 0 rel 0,0", "A mouse 4 at 0,0 buttons 0 rel 0,0"}))
        << LOG_TEXT;
    // Button events do not move the tracked pointer; motion does.
    EXPECT_EQ(app->getMousePos(), Point(11, 21));
}

TEST_F(MainLoop, OnlyActiveScreensGetInputTopDownAndUpdatesBottomUp)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    ProbeScreen* a = showProbe("A");
    ProbeScreen* b = showProbe("B");
    a->setLogDraws(true);
    b->setLogDraws(true);
    log().clear();
    run("key x\nmouse move 5 5\nstep 3\n");
    EXPECT_EQ(log().withPrefix("A key").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("A mouse").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("A update").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("B key").size(), 2u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("B update").size(), 3u) << LOG_TEXT;
    // The covered screen is still drawn every frame, below the top one.
    EXPECT_EQ(log().withPrefix("A draw").size(), 3u) << LOG_TEXT;
    EXPECT_LT(log().find("A draw"), log().find("B draw"));

    // With both active, input goes top-down and updates bottom-up.
    a->setActive(true);
    log().clear();
    run("keydown y\nstep\n");
    const int bKey = log().find("B key 121 0 121 121 mods 0");
    const int aKey = log().find("A key 121 0 121 121 mods 0");
    ASSERT_GE(bKey, 0) << LOG_TEXT;
    EXPECT_GT(aKey, bKey) << LOG_TEXT;
    EXPECT_LT(log().find("A update 10"), log().find("B update 10")) << LOG_TEXT;
}

TEST_F(MainLoop, AScreenThatClosesDuringTheUpdateWalkIsNotTouchedAgain)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    ProbeScreen* b = showProbe("B");
    b->onUpdateAction = [this](ProbeScreen& self) {
        if (driver.frame() == 2)
            self.close(7, true);
    };
    // Closing pops (and deletes) B and shows C, all inside the walk.
    b->onClosedAction = [this](ProbeScreen&) {
        app->popScreen();
        app->showScreen(new ProbeScreen("C", log()));
    };
    log().clear();
    ASSERT_TRUE(driver.step(4));
    const std::vector<std::string> order = {"B onClosed 7", "B popped", "B deleted", "A activate", "C show",
                                            "A deactivate", "C enter"};
    int from = 0;
    for (const std::string& line : order) {
        const int at = log().find(line, from);
        ASSERT_GE(at, from) << line << "\n" << LOG_TEXT;
        from = at;
    }
    // B closes inside its own update of frame 2, and its default (empty)
    // out-transition ends at once.
    EXPECT_EQ(log().frameOf("B deleted"), 2);
    // Nothing reached B after its deletion; C runs from the next frame on.
    for (size_t i = static_cast<size_t>(log().find("B deleted")) + 1; i < log().entries().size(); ++i)
        EXPECT_NE(log().entries()[i].text.compare(0, 2, "B "), 0) << log().entries()[i].text;
    EXPECT_EQ(log().frameOf("C update 10"), 3) << LOG_TEXT;
    ASSERT_EQ(app->getScreens().size(), 2u);
    EXPECT_EQ(app->topScreen()->getName(), "C");
}

TEST_F(MainLoop, ARecordIsNotOfferedFurtherOnceTheStackChanged)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    ProbeScreen* b = showProbe("B");
    // Escape closes the dialog at once; the screen it uncovers must not
    // handle the same Escape.
    b->onKeyAction = [this](ProbeScreen&) { app->popScreen(); };
    log().clear();
    run("keydown escape\nstep\n");
    EXPECT_GE(log().find("B key 27 0 27 27 mods 0"), 0) << LOG_TEXT;
    EXPECT_GE(log().find("A activate"), 0) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("A key").size(), 0u) << LOG_TEXT;

    // The same for a mouse record that pushes a screen.
    ProbeScreen* a = static_cast<ProbeScreen*>(app->topScreen());
    a->onMouseAction = [this](ProbeScreen& self) {
        self.onMouseAction = nullptr;
        app->showScreen(new ProbeScreen("D", log()));
    };
    log().clear();
    run("mouse move 9 9\nmouse move 10 10\nstep\n");
    EXPECT_EQ(log().withPrefix("A mouse").size(), 1u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("D mouse").size(), 1u) << LOG_TEXT;
}

TEST_F(MainLoop, LosingFocusPausesTheClockOnce)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    run("step 2\nfocus lost\nstep\n");
    EXPECT_TRUE(app->getClock()->isPaused());
    EXPECT_FALSE(app->hasInputFocus());
    const uint64_t pausedAt = app->getClock()->elapsed();
    log().clear();
    // A repeated report changes nothing; paused frames get dt 0.
    run("focus lost\nstep 3\n");
    EXPECT_EQ(log().withPrefix("onFocusLost").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("onUpdate "), (std::vector<std::string>(3, "onUpdate 0")));
    EXPECT_EQ(app->getClock()->elapsed(), pausedAt);

    log().clear();
    run("focus gained\nstep\nstep\n");
    EXPECT_FALSE(app->getClock()->isPaused());
    EXPECT_EQ(log().withPrefix("onFocusGained").size(), 1u);
    EXPECT_EQ(log().withPrefix("onUpdate "), (std::vector<std::string>{"onUpdate 10", "onUpdate 10"}));
    // Focus never took the window out of full screen it was not in.
    EXPECT_EQ(log().withPrefix("onFullscreen").size(), 0u);
}

TEST_F(MainLoop, MoreEventsThanTheQueueHoldsArriveOverSeveralFrames)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    std::string script;
    for (int i = 0; i < 300; ++i)
        script += "mouse move " + std::to_string(i) + " 1\n";
    run(script);
    ASSERT_TRUE(driver.step());
    const size_t firstFrame = log().withPrefix("A mouse").size();
    EXPECT_GT(firstFrame, 100u);
    EXPECT_LT(firstFrame, 300u);
    ASSERT_TRUE(driver.step(3));
    const std::vector<std::string> moves = log().withPrefix("A mouse");
    ASSERT_EQ(moves.size(), 300u);
    EXPECT_EQ(moves.back(), "A mouse 2 at 299,1 buttons 0 rel 1,0");
    EXPECT_EQ(driver.pendingEvents(), 0u);
}

TEST_F(MainLoop, ScriptFrameAndWaitCommandsCountFramesAndTime)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    run("frame 5 log five\nwait 100\nlog after\ndump\n");
    EXPECT_EQ(log().frameOf("five"), 4);  // written before frame 5 runs
    EXPECT_EQ(driver.frame(), 14u);        // 4 frames, then 100 ms at 10 ms a frame
    EXPECT_EQ(log().frameOf("after"), 14);
    const int dump = log().find("dump\n" + driver.dumpState());
    EXPECT_GE(dump, 0) << LOG_TEXT;
    EXPECT_NE(driver.dumpState().find("  0 A active idle"), std::string::npos) << driver.dumpState();
    EXPECT_FALSE(driver.runScript("frame 3 log late\n"));
    EXPECT_EQ(driver.lastError(), "line 1: frame 3 has already been run (now 14)");

    // Skipping the frame delay freezes time unless a script stalls.
    driver.setDelayMode(HeadlessDriver::DelayMode::Skip);
    log().clear();
    run("step 2\nstall 7\nstep\n");
    EXPECT_EQ(log().withPrefix("onUpdate "),
              (std::vector<std::string>{"onUpdate 0", "onUpdate 0", "onUpdate 7"}));
    EXPECT_FALSE(driver.runScript("wait 10\n"));
}
