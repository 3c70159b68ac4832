// The text widgets drawn with real bitmap fonts and read back: exact pixels
// with the box-glyph fixture font, and every widget in the game's fonts
// (saved as text_widgets.bmp in APPDATA for a look).
#include "engine/gfx/AngelFontGL.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/ui/SimpleTextListWidget.h"
#include "engine/ui/TextInputWidget.h"
#include "engine/ui/TextLabel.h"
#include "engine/ui/TextLabelEx.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/support/GLTestSuite.h"
#include "tests/ui/TestWidgets.h"
#include "tests/ui/TextWidgetTestDoubles.h"
#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const Color kPaper(0, 0, 80, 255);

::testing::AssertionResult rgbAt(int x, int y, Color want)
{
    const Color got = GLTestSuite::window->readPixel(x, y);
    if (got.r == want.r && got.g == want.g && got.b == want.b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << rgba(got);
}

// A 2 px bar over the caret rectangle.
struct BarCursor : TextInputCursor {
    void draw(Graphics& g) override { g.fillRect(rect.x, rect.y, 2, rect.h, Color(255, 200, 0, 255)); }
};

class TextWidgetsGL : public GLGraphicsTestSuite {
protected:
    void SetUp() override
    {
        GLGraphicsTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        gfx.clear();
    }
    template <typename W>
    W* add(W* widget, int x, int y, int w, int h)
    {
        widget->setBounds(x, y, w, h);
        screen.addWidget(widget);  // the screen owns it
        return widget;
    }

    FakeAppContext app;
    TestScreen screen{nullptr};
};

} // namespace

TEST_F(TextWidgetsGL, LabelAlignmentPlacesTheGlyphsInTheBox)
{
    AngelFontGL font(std::string(std::getenv("QUILL_FIXTURES")) + "/font_metrics.fnt");
    ASSERT_EQ(font.textWidth("AB"), 15);  // red A 8 x 12, green B 3 px lower, kerned to overlap
    add(new TextLabel("AB", &font, TextLabel::Centred, Color::white(), kPaper), 100, 100, 115, 60);
    add(new TextLabel("AB", &font, TextLabel::CentredH, Color::white(), kPaper), 300, 100, 115, 60);
    screen.getWidgetManager()->draw(gfx, &screen);

    // Centred: (115 - 15) / 2 = 50 across, (60 - 20) / 2 = 20 down.
    EXPECT_TRUE(rgbAt(149, 125, kPaper));
    EXPECT_TRUE(rgbAt(150, 120, Color(255, 0, 0)));
    EXPECT_TRUE(rgbAt(150, 119, kPaper));
    EXPECT_TRUE(rgbAt(164, 134, Color(0, 255, 0)));
    EXPECT_TRUE(rgbAt(165, 125, kPaper));
    EXPECT_TRUE(rgbAt(350, 100, Color(255, 0, 0))) << "alignment 1 keeps the top";
}

TEST_F(TextWidgetsGL, EveryTextWidgetInTheGamesFonts)
{
    AngelFontGL times16("content/fonts/Times16.fnt");
    AngelFontGL times24("content/fonts/Times24.fnt");
    ASSERT_GT(times24.getLineHeight(), 0) << "run scripts/gen-content.sh";
    FakeUiServices services(&times16, &times24);
    const Color grey(40, 40, 40, 255), green(20, 60, 20, 255);
    gfx.fillRect(0, 0, 1024, 768, grey);

    for (int a = 0; a < 3; ++a)
        add(new TextLabel("Label " + std::to_string(a), &times24, a, Color::white(), green), 40, 40 + 80 * a, 300, 60);
    add(new TextLabelEx("A longer text wrapped inside its box and centred both ways", &times24,
                        Color(255, 230, 160, 255), Color(60, 20, 20, 255)),
        400, 40, 300, 140);
    RecordingListListener listListener;
    auto* list = add(new SimpleTextListWidget(&listListener), 400, 220, 240, 160);
    for (const char* name : {"Alice", "Bertram", "Clementine", "Dov"})
        list->addLine(name);
    list->selectLine(1);
    auto* field = add(new TextInputWidget(nullptr, 16, "Enter your name", true), 40, 300, 300, 32);
    field->setAlignment(TextInputWidget::Centred);
    field->setBackgroundColour(Color(0, 0, 0, 255));
    field->setTextColour(Color::white());
    field->setCursor(new BarCursor());
    screen.getWidgetManager()->onMouse(mouseAt(MouseEvent::Press, 60, 310, MouseEvent::Left));
    for (unsigned char c : std::string("Zo\xEB"))
        field->handleKey(KeyEvent{c, 0, KeyEvent::Pressed, c, c});
    field->handleKey(KeyEvent{276, 0, KeyEvent::Pressed, 0, 0});  // Left
    screen.getWidgetManager()->draw(gfx, &screen);
    EXPECT_TRUE(window->saveScreenshot("text_widgets.bmp"));

    // The centred label's ink is centred in its box.
    int left = 1024, right = -1;
    for (int x = 40; x < 340; ++x)
        for (int y = 200; y < 260; ++y)
            if (window->readPixel(x, y).r > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR((left + right) / 2.0, 190, 2.0);
    // The selection bar lies under the second row only.
    const int row = times16.getLineHeight();
    EXPECT_GT(window->readPixel(402, 220 + row + row / 2).r, grey.r);
    EXPECT_TRUE(rgbAt(402, 220 + row / 2, grey));
    // The caret bar stands at the last character's left edge.
    const int textLeft = (300 - times24.textWidth("Zo\xEB")) / 2;
    EXPECT_TRUE(rgbAt(40 + textLeft + times24.textWidth("Zo"), 300 + 10, Color(255, 200, 0)));
}
