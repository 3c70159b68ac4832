// A question dialog with the game's own content in a GL window: the panel
// and both buttons read back while it is shown, the dim over the screen
// below, and a clean screen again after "yes" closed it. Screenshots go to
// $APPDATA.
#include "engine/core/StringUtils.h"
#include "engine/gfx/AngelFontGL.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/ui/MessageDialogDesc.h"
#include "engine/ui/MessageQuestionDialogListener.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/WidgetManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/support/GLTestWindow.h"
#include "tests/ui/TestWidgets.h"
#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Answers : MessageQuestionDialogListener {
    std::vector<std::string> log;
    void onAnswer(int32_t id, int32_t answer) override
    {
        log.push_back(std::to_string(id) + " " + std::to_string(answer));
    }
};

::testing::AssertionResult near(const GLTestWindow& w, int x, int y, Color want, int tolerance = 2)
{
    const Color got = w.readPixel(x, y);
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "pixel " << x << "," << y << " is (" << int(got.r) << "," << int(got.g) << "," << int(got.b)
        << "), want (" << int(want.r) << "," << int(want.g) << "," << int(want.b) << ")";
    return ::testing::AssertionFailure() << out.str();
}

} // namespace

TEST(MessageDialogGL, AQuestionShowsThePanelAndBothButtonsOverTheDimmedScreenAndYesClosesIt)
{
    GLTestWindow window;
    ASSERT_TRUE(window.ok()) << window.error();
    GLGraphics g;
    g.init(1024, 768, 1000);
    FakeAppContext app;

    AngelFontGL times16("content/fonts/Times16.fnt");
    AngelFontGL times24("content/fonts/Times24.fnt");
    AngelFontGL times24Plain("content/fonts/Times24NoEff.fnt");
    GLTexture normal("content/images/ui/ButtonNormal.png");
    GLTexture over("content/images/ui/ButtonOver.png");
    ASSERT_EQ(normal.getWidth(), 150);

    CallLog log;
    auto screen = std::make_unique<TestScreen>(&log);
    Answers answers;

    // The layout the game's quit question uses.
    MessageDialogDesc d;
    d.openAnimation = "content/animations/UniversalDialog/MessageDialogStart.xml";
    d.closeAnimation = "content/animations/UniversalDialog/MessageDialogClose.xml";
    d.text = "Do you really want to leave the game?";
    d.title = "Exit game";
    d.firstCaption = "YES";
    d.secondCaption = "NO";
    d.textAlignment = 2;
    d.textFont = &times24Plain;
    d.titleFont = &times24;
    d.textBox = WidgetGeometry(46, 71, 0, 404, 133);
    d.x = 256;
    d.y = 256;
    d.firstButtonX = 328;
    d.firstButtonY = 444;
    d.secondButtonX = 498;
    d.secondButtonY = 444;
    d.titleX = static_cast<int32_t>((1024 - times24.textWidth(toUpper(d.title))) * 0.5 - 256);
    d.titleY = 24;
    d.panelWidth = 512;
    d.panelHeight = 256;
    d.buttonNormal = &normal;
    d.buttonOver = &over;
    d.buttonFont = &times16;

    auto* dialog = new MessageQuestionDialogSimple(d, &answers, -1);
    screen->addWidget(dialog);
    for (int i = 0; i < 60 && !dialog->isContentsShown(); ++i)
        screen->update(20);
    ASSERT_TRUE(dialog->isContentsShown());

    const Color below(40, 80, 160);
    auto frame = [&] {
        g.resetTransform();
        g.fillRect(0, 0, 1024, 768, below);
        screen->draw(g);
    };
    frame();
    EXPECT_TRUE(window.saveScreenshot("message_dialog_question.bmp"));

    // Dimmed by half outside the panel.
    EXPECT_TRUE(near(window, 20, 20, Color(20, 40, 80), 3));
    EXPECT_TRUE(near(window, 1000, 740, Color(20, 40, 80), 3));
    // The panel at (256, 256): its frame and its face, at full strength.
    EXPECT_TRUE(near(window, 256 + 10, 256 + 10, Color(40, 30, 22)));
    EXPECT_TRUE(near(window, 256 + 20, 256 + 200, Color(74, 56, 40)));
    // Both buttons at their places, in the normal picture (away from the
    // caption).
    EXPECT_TRUE(near(window, 328 + 10, 444 + 10, Color(157, 136, 103)));
    EXPECT_TRUE(near(window, 498 + 10, 444 + 10, Color(157, 136, 103)));
    // Some white caption or title ink above the panel face.
    int white = 0;
    for (int y = 256; y < 256 + 256; ++y)
        for (int x = 256; x < 256 + 512; ++x) {
            const Color c = window.readPixel(x, y);
            if (c.r > 240 && c.g > 240 && c.b > 240)
                ++white;
        }
    EXPECT_GT(white, 100) << "title, text and captions are drawn in white";

    // "yes" through the widget manager.
    SimpleImageButton* yes = dialog->getYesButton();
    const int cx = yes->getGeometry().x + 20, cy = yes->getGeometry().y + 10;
    screen->getWidgetManager()->onMouse(mouseAt(MouseEvent::Move, cx, cy));
    screen->getWidgetManager()->onMouse(mouseAt(MouseEvent::Press, cx, cy, MouseEvent::Left));
    screen->getWidgetManager()->onMouse(mouseAt(MouseEvent::Release, cx, cy, MouseEvent::Left));
    for (int i = 0; i < 60 && answers.log.empty(); ++i)
        screen->update(20);
    EXPECT_EQ(answers.log, std::vector<std::string>{"-1 1"});

    screen->update(20);
    frame();
    EXPECT_TRUE(window.saveScreenshot("message_dialog_closed.bmp"));
    EXPECT_TRUE(near(window, 20, 20, below));
    EXPECT_TRUE(near(window, 256 + 20, 256 + 200, below)) << "the panel is gone";
    EXPECT_TRUE(near(window, 328 + 10, 444 + 10, below)) << "the buttons are gone";
    screen.reset();
}
