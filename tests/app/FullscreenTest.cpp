// The full-screen switch through the headless driver: the release and reload
// of every GPU copy in order, a failed switch falling back to the previous
// mode, focus moving the window out of full screen and back, and focus
// reports caused by the switch itself.
#include "engine/core/GameClock.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "tests/app/DrivenAppTest.h"

#include <filesystem>

namespace {

const Color kGrey(60, 60, 60);
const Color kGreen(0, 200, 0);
const Color kMagenta(200, 0, 200);
const Color kCyan(0, 200, 200);
const Color kOrange(250, 150, 0);

// A lower screen drawing textures from the main manager, its own manager and
// an extra manager, an upper screen, and a cursor image.
class Fullscreen : public DrivenAppTest {
protected:
    void setUpScene(int width = 1024, int height = 768)
    {
        ASSERT_NO_FATAL_FAILURE(startApp(width, height));
        GLTexture* shared = solidTexture(32, 32, kGreen);
        app->getResources()->registerTexture("SHARED", shared);
        int slot = -1;
        GLTexture* extra = solidTexture(32, 32, kMagenta);
        app->createResourceManager(slot)->registerTexture("EXTRA", extra);

        lower = new ProbeScreen("A", log());
        lower->setFill(kGrey);
        lower->addPicture(shared, 100, 100);
        lower->addPicture(extra, 200, 100);
        lower->onLoadAction = [this](ProbeScreen& self) {
            GLTexture* own = solidTexture(32, 32, kCyan);
            self.getResources()->registerTexture("OWN", own);
            self.addPicture(own, 300, 100);
        };
        app->showScreen(lower);
        showProbe("B");
        app->setCursorImage(solidTexture(8, 8, kOrange));
        run("mouse move 400 100\nstep\n");
    }

    // Every picture is on screen in the frame written to a file.
    void expectPicturesDrawn(const std::string& when)
    {
        const std::string path = scratchFolder("FullscreenTest-" + when) + "/frame.bmp";
        ASSERT_TRUE(driver.shot(path)) << when << "\n" << LOG_TEXT;
        BmpImage bmp(path);
        ASSERT_TRUE(bmp.ok());
        EXPECT_EQ(bmp.at(110, 110), kGreen) << when << " main manager " << describe(bmp.at(110, 110));
        EXPECT_EQ(bmp.at(210, 110), kMagenta) << when << " extra manager " << describe(bmp.at(210, 110));
        EXPECT_EQ(bmp.at(310, 110), kCyan) << when << " screen's manager " << describe(bmp.at(310, 110));
        EXPECT_EQ(bmp.at(403, 103), kOrange) << when << " cursor " << describe(bmp.at(403, 103));
        EXPECT_EQ(bmp.at(600, 600), kGrey) << when << " " << describe(bmp.at(600, 600));
    }

    // The lines appear in this order (others may come between).
    void expectInOrder(const std::vector<std::string>& lines)
    {
        int from = 0;
        for (const std::string& line : lines) {
            const int at = log().find(line, from);
            ASSERT_GE(at, from) << "missing or out of order: " << line << "\n" << LOG_TEXT;
            from = at + 1;
        }
    }

    ProbeScreen* lower = nullptr;
};

} // namespace

TEST_F(Fullscreen, AltReturnReleasesAndReloadsEveryGpuCopyInOrder)
{
    ASSERT_NO_FATAL_FAILURE(setUpScene());
    ASSERT_NO_FATAL_FAILURE(expectPicturesDrawn("before"));
    log().clear();
    run("key alt+return\nstep\n");
    if (log().find("setVideoMode 1024 768 1 failed") >= 0)
        GTEST_SKIP() << "this X server offers no 1024x768 full-screen mode; the fallback test covers the rest";
    ASSERT_NO_FATAL_FAILURE(expectInOrder({"allowModeChange 1024 768 1 yes", "setVideoMode 1024 768 1 ok",
                                           "A releaseGL", "B releaseGL", "A reloadGL", "B reloadGL",
                                           "onVideoModeChanged 1024 768 1", "B key 0 0 0 0 mods 0"}));
    EXPECT_EQ(log().withPrefix("setVideoMode").size(), 1u);
    EXPECT_TRUE(app->isFullscreen());
    ASSERT_NO_FATAL_FAILURE(expectPicturesDrawn("full screen"));

    log().clear();
    run("key ralt+return\nstep\n");
    ASSERT_NO_FATAL_FAILURE(expectInOrder({"setVideoMode 1024 768 0 ok", "A releaseGL", "B releaseGL",
                                           "A reloadGL", "B reloadGL", "onVideoModeChanged 1024 768 0"}));
    EXPECT_FALSE(app->isFullscreen());
    ASSERT_NO_FATAL_FAILURE(expectPicturesDrawn("back in a window"));
}

TEST_F(Fullscreen, AFailedSwitchFallsBackToTheWindowAndReloads)
{
    // No full-screen mode of the X server is this large, so the switch really
    // fails; the window itself opens.
    ASSERT_NO_FATAL_FAILURE(setUpScene(1280, 800));
    log().clear();
    run("key alt+return\nstep\n");
    ASSERT_NO_FATAL_FAILURE(expectInOrder({"setVideoMode 1280 800 1 failed", "setVideoMode 1280 800 0 ok",
                                           "A releaseGL", "B releaseGL", "A reloadGL", "B reloadGL"}));
    EXPECT_EQ(log().withPrefix("onVideoModeChanged").size(), 0u) << LOG_TEXT;
    EXPECT_FALSE(app->isFullscreen());
    EXPECT_TRUE(app->isWindowOpen());
    EXPECT_TRUE(driver.isRunning());
    ASSERT_NO_FATAL_FAILURE(expectPicturesDrawn("after the fallback"));
}

TEST_F(Fullscreen, WhenThePreviousModeFailsTooTheLoopEndsWithoutDrawing)
{
    ASSERT_NO_FATAL_FAILURE(setUpScene());
    lower->setLogDraws(true);
    app->failVideoModes(2);
    log().clear();
    run("key alt+return\n");
    EXPECT_FALSE(driver.step());
    ASSERT_NO_FATAL_FAILURE(expectInOrder({"setVideoMode 1024 768 1 refused", "setVideoMode 1024 768 0 refused",
                                           "loop ended", "onExit"}));
    EXPECT_EQ(log().withPrefix("A draw").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("A reloadGL").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("onQuitRequested").size(), 0u) << LOG_TEXT;
    EXPECT_TRUE(app->isQuitNow());
    EXPECT_FALSE(app->isWindowOpen());
    EXPECT_FALSE(app->isFullscreen());
}

TEST_F(Fullscreen, ARefusedModeChangeChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(setUpScene());
    app->setAllowModeChange(false);
    log().clear();
    run("key alt+return\nstep\n");
    EXPECT_GE(log().find("allowModeChange 1024 768 1 no"), 0) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("setVideoMode").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("A releaseGL").size(), 0u) << LOG_TEXT;
    EXPECT_FALSE(app->isFullscreen());
}

TEST_F(Fullscreen, FocusLossLeavesFullScreenAndRegainingReturnsToIt)
{
    ASSERT_NO_FATAL_FAILURE(setUpScene());
    run("key alt+return\nstep 3\n");
    if (!app->isFullscreen())
        GTEST_SKIP() << "this X server offers no 1024x768 full-screen mode";
    log().clear();
    run("focus lost\nstep 3\n");
    ASSERT_NO_FATAL_FAILURE(expectInOrder({"setVideoMode 1024 768 0 ok", "onVideoModeChanged 1024 768 0",
                                           "onFullscreenLeft", "onFocusLost"}));
    EXPECT_FALSE(app->isFullscreen());
    EXPECT_TRUE(app->getClock()->isPaused());

    log().clear();
    run("focus gained\nstep\n");
    ASSERT_NO_FATAL_FAILURE(expectInOrder({"setVideoMode 1024 768 1 ok", "onVideoModeChanged 1024 768 1",
                                           "onFullscreenRestored", "onFocusGained"}));
    EXPECT_TRUE(app->isFullscreen());
    EXPECT_FALSE(app->getClock()->isPaused());
    ASSERT_NO_FATAL_FAILURE(expectPicturesDrawn("restored"));
}

TEST_F(Fullscreen, FocusReportsCausedByTheSwitchItselfAreIgnored)
{
    ASSERT_NO_FATAL_FAILURE(setUpScene());
    // X11 answers a mode switch with focus changes of its own. Reports polled
    // in the frame of the switch and the next one must not switch again.
    log().clear();
    run("key alt+return\nfocus lost\nstep\nfocus gained\nfocus lost\nstep\n");
    if (!app->isFullscreen())
        GTEST_SKIP() << "this X server offers no 1024x768 full-screen mode";
    EXPECT_EQ(log().withPrefix("setVideoMode").size(), 1u) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("onFocus").size(), 0u) << LOG_TEXT;
    EXPECT_FALSE(app->getClock()->isPaused());

    // Later reports count. The switch back to a window is itself followed by
    // spurious gains (in its frame and the next): they must not bounce the
    // window back into full screen.
    run("focus lost\nfocus gained\nstep\nfocus gained\nstep\n");
    EXPECT_FALSE(app->isFullscreen()) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("onFocusLost").size(), 1u);
    EXPECT_EQ(log().withPrefix("onFocusGained").size(), 0u) << LOG_TEXT;
    EXPECT_TRUE(app->getClock()->isPaused());
    // A real return of the focus, later, restores full screen.
    run("step\nfocus gained\nstep\n");
    EXPECT_TRUE(app->isFullscreen()) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("onFocusGained").size(), 1u);
    EXPECT_FALSE(app->getClock()->isPaused());
}
