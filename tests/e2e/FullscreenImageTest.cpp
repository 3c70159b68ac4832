// Alt+Return through the driver with a textured ImageWidget on the screen:
// after the video mode was set again (full screen, or back in a window when
// full screen is refused) the picture is still drawn, because the screen's
// textures are uploaded again into the new GL context.
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ImageWidget.h"
#include "tests/e2e/EndToEndTest.h"

namespace {

const Color kGrey(60, 60, 60);
// The dialog panel picture: its frame and its face.
const Color kPanelFrame(40, 30, 22);
const Color kPanelFace(74, 56, 40);
const int kX = 200, kY = 150;

class FullscreenImage : public EndToEndTest {
protected:
    // A grey stage showing the panel picture at (kX, kY) through an
    // ImageWidget; the texture belongs to the stage's resource manager.
    void setUpPicture(int width = 1024, int height = 768)
    {
        ASSERT_NO_FATAL_FAILURE(startApp(width, height));
        StageScreen* s = showStage("S", kGrey);
        auto* panel = new GLTexture("content/animations/UniversalDialog/MessageDialogPanel.png");
        ASSERT_EQ(panel->getWidth(), 512);
        s->getResources()->registerTexture("PANEL", panel);
        s->addWidget(new ImageWidget(panel, kX, kY));
        run("step\n");
        ASSERT_NO_FATAL_FAILURE(expectPicture("before"));
    }

    // A window wider than the 1024-pixel layout shows the layout centred.
    void expectPicture(const std::string& when)
    {
        const BmpImage shot = capture(when);
        ASSERT_TRUE(shot.ok()) << when;
        const int x = kX + (app->getWidth() - 1024) / 2;
        EXPECT_TRUE(near(shot.at(x + 10, kY + 10), kPanelFrame)) << when << " " << describe(shot.at(x + 10, kY + 10));
        EXPECT_TRUE(near(shot.at(x + 20, kY + 200), kPanelFace)) << when << " " << describe(shot.at(x + 20, kY + 200));
        EXPECT_TRUE(near(shot.at(x + 300, kY + 120), kPanelFace)) << when << " " << describe(shot.at(x + 300, kY + 120));
        EXPECT_EQ(shot.at(x - 10, kY - 10), kGrey) << when << " " << describe(shot.at(x - 10, kY - 10));
    }
};

} // namespace

TEST_F(FullscreenImage, AltReturnKeepsTheImageWidgetsTextureOnScreen)
{
    ASSERT_NO_FATAL_FAILURE(setUpPicture());
    const int from = mark();
    run("key alt+return\nstep\n");
    ASSERT_GE(log().find("S releaseGL", from), 0) << LOG_TEXT;
    ASSERT_GE(log().find("S reloadGL", from), 0) << LOG_TEXT;
    const bool refused = log().find("setVideoMode 1024 768 1 failed", from) >= 0;
    EXPECT_EQ(app->isFullscreen(), !refused) << LOG_TEXT;
    ASSERT_NO_FATAL_FAILURE(expectPicture(refused ? "after-refused-switch" : "full-screen"));

    // And back.
    run("key alt+return\nstep\n");
    EXPECT_FALSE(app->isFullscreen()) << LOG_TEXT;
    ASSERT_NO_FATAL_FAILURE(expectPicture("window-again"));
}

TEST_F(FullscreenImage, ARefusedFullScreenModeFallsBackToTheWindowWithTheImage)
{
    ASSERT_NO_FATAL_FAILURE(setUpPicture());
    app->failVideoModes(1);
    const int from = mark();
    run("key alt+return\nstep\n");
    EXPECT_GE(log().find("setVideoMode 1024 768 1 refused", from), 0) << LOG_TEXT;
    EXPECT_GE(log().find("setVideoMode 1024 768 0 ok", from), 0) << LOG_TEXT;
    EXPECT_FALSE(app->isFullscreen());
    EXPECT_TRUE(driver.isRunning());
    ASSERT_NO_FATAL_FAILURE(expectPicture("fallback"));
}

TEST_F(FullscreenImage, AModeTheServerLacksFallsBackToTheWindowWithTheImage)
{
    // No full-screen mode of the X server is this large: SDL itself refuses.
    ASSERT_NO_FATAL_FAILURE(setUpPicture(1280, 800));
    const int from = mark();
    run("key alt+return\nstep\n");
    EXPECT_GE(log().find("setVideoMode 1280 800 1 failed", from), 0) << LOG_TEXT;
    EXPECT_GE(log().find("setVideoMode 1280 800 0 ok", from), 0) << LOG_TEXT;
    EXPECT_FALSE(app->isFullscreen());
    ASSERT_NO_FATAL_FAILURE(expectPicture("fallback"));
}
