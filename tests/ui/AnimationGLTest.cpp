// Key-framed animations drawn by the OpenGL renderer and read back: where
// the picture is at a given time, pausing, draw order, rotation and the
// message-dialog clips.
#include "engine/gfx/GLGraphics.h"
#include "engine/ui/Animation2D.h"
#include "engine/ui/AnimationElement2D.h"
#include "engine/ui/AnimationPlayer.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/support/ColorText.h"
#include "tests/support/GLTestSuite.h"
#include "tests/ui/AnimationTestSupport.h"
#include "tests/ui/TestWidgets.h"

#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const Color kBackground(0, 0, 0, 255);
// The face of the message dialogs' panel picture.
const Color kDialogPanel(0x4a, 0x38, 0x28, 255);
const Color kRed(255, 0, 0, 255);
const Color kBlue(0, 0, 255, 255);

class AnimationGL : public GLGraphicsTestSuite {
protected:
    // One frame of the screen on a black background (not swapped, so it
    // can be read back).
    void drawFrame()
    {
        gfx.resetTransform();
        gfx.fillRect(0, 0, 1024, 768, kBackground);
        screen->draw(gfx);
        glFinish();
    }
    void updates(int n, int dt)
    {
        for (int i = 0; i < n; ++i)
            screen->update(dt);
    }
    ::testing::AssertionResult pixelIs(int x, int y, Color want, int tolerance = 0) const
    {
        const Color got = window->readPixel(x, y);
        if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
            std::abs(got.b - want.b) <= tolerance)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << describe(got) << ", expected "
                                             << describe(want);
    }
    // The 32 x 32 box at (x, y) is `c` inside and background just outside.
    void expectBoxAt(int x, int y, Color c) const
    {
        EXPECT_TRUE(pixelIs(x, y, c));
        EXPECT_TRUE(pixelIs(x + 31, y + 31, c));
        EXPECT_TRUE(pixelIs(x - 1, y + 10, kBackground));
        EXPECT_TRUE(pixelIs(x + 32, y + 10, kBackground));
        EXPECT_TRUE(pixelIs(x + 10, y - 1, kBackground));
        EXPECT_TRUE(pixelIs(x + 10, y + 32, kBackground));
    }

    FakeAppContext app;
    CallLog log;
    std::unique_ptr<TestScreen> screen = std::make_unique<TestScreen>(&log);
    RecordingAnimationListener listener;
    AnimationPlayer player{&listener};
};

} // namespace

TEST_F(AnimationGL, ThePictureIsAtTheWidgetPlusItsKeyFramedPositionAndPauseHoldsIt)
{
    ASSERT_TRUE(player.loadAnimation(1, animFixture("MoveX.xml")));
    player.playAnimation(1, 0, 100, 100, screen.get());
    drawFrame();
    expectBoxAt(100, 150, kRed);  // x 0, y 50 from the start

    updates(4, 250);  // two set-up updates, then 500 ms: x 50
    drawFrame();
    EXPECT_TRUE(window->saveScreenshot("anim_movex_500ms.bmp"));
    expectBoxAt(150, 150, kRed);

    player.pauseAnimation(1);
    updates(3, 250);
    drawFrame();
    expectBoxAt(150, 150, kRed);

    player.resumeAnimation(1);
    updates(1, 250);
    drawFrame();
    expectBoxAt(175, 150, kRed);
    updates(3, 250);
    drawFrame();
    expectBoxAt(200, 150, kRed);
    EXPECT_EQ(listener.finished, std::vector<int>{1});
}

TEST_F(AnimationGL, LaterElementsOfEqualWholeDepthAreDrawnOnTopAndAnglesTurnCounterClockwise)
{
    // Red at z 2.7 and blue at z 2.2 on the same spot: blue comes later in
    // the file, so it is drawn last, offset or not.
    ASSERT_TRUE(player.loadAnimation(1, animFixture("ZOrder.xml")));
    player.playAnimation(1, 10, 300, 100, screen.get());

    // A picture whose right half is opaque, turned by 90 degrees: the
    // opaque half ends up on top.
    ClipFolder folder;
    ASSERT_TRUE(player.loadAnimation(
        2, folder.write("turn.xml", clipXml(100, false, "halfred32.png", keyFrameXml(0, 0, 0, 255, 90.f)))));
    player.playAnimation(2, 0, 500, 100, screen.get());
    updates(5, 50);
    drawFrame();
    EXPECT_TRUE(window->saveScreenshot("anim_order_and_angle.bmp"));

    expectBoxAt(300, 100, kBlue);
    EXPECT_TRUE(pixelIs(502, 102, kRed));
    EXPECT_TRUE(pixelIs(529, 113, kRed));
    EXPECT_TRUE(pixelIs(502, 118, kBackground));
    EXPECT_TRUE(pixelIs(529, 129, kBackground));
}

namespace {
// A screen laid out for a wider configuration than the window: its drawing
// is shifted left by the centring offset.
class ShiftedScreen : public TestScreen {
public:
    ShiftedScreen(CallLog* log, int offset) : TestScreen(log, "shifted") { xOffset = offset; }
};
} // namespace

// The widget's draw starts from identity: a screen's centring shift (or any
// transform around the screen) does not move the elements off the widget's
// x and y. drawElements draws in the caller's transform, which moves them.
TEST_F(AnimationGL, ElementsDrawAtTheWidgetPositionAfterAResetAndDrawElementsKeepsTheCallersTransform)
{
    ShiftedScreen shifted(&log, 60);
    ASSERT_TRUE(player.loadAnimation(1, animFixture("MoveX.xml")));
    player.playAnimation(1, 0, 100, 100, &shifted);
    gfx.resetTransform();
    gfx.fillRect(0, 0, 1024, 768, kBackground);
    gfx.pushTransform();
    gfx.translate(0.0f, 200.0f);  // around the whole screen
    shifted.draw(gfx);
    gfx.popTransform();
    glFinish();
    expectBoxAt(100, 150, kRed);  // x 0, y 50 from the start

    gfx.resetTransform();
    gfx.fillRect(0, 0, 1024, 768, kBackground);
    gfx.pushTransform();
    gfx.translate(40.0f, 20.0f);
    player.findAnimation(1)->drawElements(gfx);
    gfx.popTransform();
    glFinish();
    EXPECT_TRUE(window->saveScreenshot("anim_in_callers_transform.bmp"));
    expectBoxAt(140, 170, kRed);
}

TEST_F(AnimationGL, TheDialogClipsOpenAndCloseThePanel)
{
    ASSERT_TRUE(player.loadAnimation(790790, "content/animations/UniversalDialog/MessageDialogStart.xml"));
    ASSERT_TRUE(player.loadAnimation(790791, "content/animations/UniversalDialog/MessageDialogClose.xml"));
    Animation2D* open = player.findAnimation(790790);
    ASSERT_NE(open, nullptr);
    EXPECT_FALSE(open->isLooping());
    EXPECT_EQ(open->getLength(), 300);

    player.playAnimation(790790, 10, 256, 256, screen.get());
    drawFrame();
    EXPECT_TRUE(pixelIs(512, 384, kBackground)) << "the panel starts transparent";
    updates(2 + 300 / 16 + 2, 16);
    ASSERT_EQ(listener.finished, std::vector<int>{790790});
    drawFrame();
    EXPECT_TRUE(window->saveScreenshot("anim_dialog_open.bmp"));
    // The panel's colour at its centre, opaque; its rounded corner is not.
    EXPECT_TRUE(pixelIs(512, 384, kDialogPanel, 1));
    EXPECT_TRUE(pixelIs(256, 256, kBackground));

    player.stopAnimation(790790);
    player.removeAnimation(790790, screen.get());
    player.playAnimation(790791, 10, 256, 256, screen.get());
    updates(2 + 150 / 16, 16);
    drawFrame();
    const Color half = window->readPixel(512, 384);
    EXPECT_GT(half.r, kDialogPanel.r / 4);
    EXPECT_LT(half.r, kDialogPanel.r * 3 / 4) << "half way through the fade";
    updates(300 / 16, 16);
    EXPECT_EQ(listener.finished, (std::vector<int>{790790, 790791}));
    drawFrame();
    EXPECT_TRUE(pixelIs(512, 384, kBackground)) << "faded out";
}
