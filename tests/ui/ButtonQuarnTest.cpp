// QuarnButton: events and sounds through the widget manager, the click rule,
// the tooltip delay and placement, the cross-fades and the drawing of plain
// looks.
#include "engine/core/Log.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/WidgetManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/ButtonTestDoubles.h"
#include "tests/ui/FakeScreenStack.h"
#include "tests/ui/TestWidgets.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// Also writes the colour of outlines, which the shared recorder leaves out.
class OutlineGraphics : public RecordingGraphics {
public:
    void drawRect(int x, int y, int w, int h, Color c) override
    {
        log("drawRect " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
            std::to_string(h) + " " + color(c));
    }
};

const Color kNormalFill(10, 20, 30, 200);
const Color kNormalText(1, 2, 3, 255);
const Color kHoverFill(200, 0, 0, 255);
const Color kHoverText(0, 200, 0, 100);
const Color kPressedFill(0, 0, 200, 255);
const Color kDisabledFill(90, 90, 90, 255);

ButtonDesc plainDesc(Font* font = nullptr, int fadeMs = 100)
{
    const WidgetGeometry none;
    return ButtonDesc(ButtonDesc::Look(kNormalFill, kNormalText, nullptr, none, font),
                      ButtonDesc::Look(kHoverFill, kHoverText, nullptr, none, font),
                      ButtonDesc::Look(kPressedFill, kNormalText, nullptr, none, font),
                      ButtonDesc::Look(kDisabledFill, kNormalText, nullptr, none, font), fadeMs);
}

// Updates until the running fade has ended (at most `limit` updates of dt).
int settle(QuarnButton& b, int dt = 50, int limit = 100)
{
    int n = 0;
    while (b.isFading() && n < limit) {
        b.update(dt, nullptr);
        ++n;
    }
    return n;
}

class QuarnButtonTest : public ::testing::Test {
protected:
    QuarnButtonTest() : manager(nullptr) {}

    // A button at (100, 100) of 150 x 37 in the manager, its fade-in done.
    std::unique_ptr<QuarnButton> placed(const ButtonDesc& desc, int id = 7)
    {
        auto b = std::make_unique<QuarnButton>(&events, id, desc, "OK");
        b->setBounds(100, 100, 150, 37);
        manager.addWidget(b.get());
        settle(*b);
        return b;
    }
    void mouse(int type, int x, int y, int buttons = 0)
    {
        app.mouse = Point(x, y);
        manager.onMouse(mouseAt(type, x, y, buttons));
    }

    FakeAppContext app;
    ButtonEvents events;
    WidgetManager manager;
};

} // namespace

TEST_F(QuarnButtonTest, HoverPressReleaseLeaveGiveEventsAndSoundsInOrder)
{
    ButtonServices services;
    auto b = placed(plainDesc());
    mouse(MouseEvent::Move, 120, 110);
    EXPECT_EQ(b->getState(), QuarnButton::Hovered);
    mouse(MouseEvent::Press, 120, 110, MouseEvent::Left);
    EXPECT_EQ(b->getState(), QuarnButton::Pressed);
    mouse(MouseEvent::Release, 120, 110, MouseEvent::Left);
    EXPECT_EQ(b->getState(), QuarnButton::Hovered);
    mouse(MouseEvent::Move, 10, 10);
    EXPECT_EQ(b->getState(), QuarnButton::Normal);

    EXPECT_EQ(events.log, (Lines{"7 2", "7 0", "7 1", "7 3"}));
    EXPECT_EQ(services.played, (Lines{"BUTTON_OVER", "BUTTON_PRESS"}));
}

TEST_F(QuarnButtonTest, OnlyAReleaseAfterAPressOnTheButtonIsAClick)
{
    auto b = placed(plainDesc());
    LogWidget other("other", nullptr, 0, 0, 0, 50, 50);
    manager.addWidget(&other);

    // Pressed on nothing, dragged onto the button, released there.
    mouse(MouseEvent::Press, 500, 500, MouseEvent::Left);
    mouse(MouseEvent::Move, 120, 110, MouseEvent::Left);
    mouse(MouseEvent::Release, 120, 110, MouseEvent::Left);
    EXPECT_EQ(events.log, (Lines{"7 2"}));
    mouse(MouseEvent::Move, 600, 600);

    // Pressed on another widget and dragged onto the button: the other
    // widget holds the pointer and gets the release.
    events.log.clear();
    mouse(MouseEvent::Move, 10, 10);
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    mouse(MouseEvent::Move, 120, 110, MouseEvent::Left);
    mouse(MouseEvent::Release, 120, 110, MouseEvent::Left);
    EXPECT_EQ(events.log, Lines{});

    // Pressed on the button, dragged out and back: still a click.
    mouse(MouseEvent::Move, 600, 600);
    events.log.clear();
    mouse(MouseEvent::Move, 120, 110);
    mouse(MouseEvent::Press, 120, 110, MouseEvent::Left);
    mouse(MouseEvent::Move, 600, 600, MouseEvent::Left);
    EXPECT_EQ(b->getState(), QuarnButton::Normal);
    mouse(MouseEvent::Move, 121, 111, MouseEvent::Left);
    EXPECT_EQ(b->getState(), QuarnButton::Pressed);
    mouse(MouseEvent::Release, 121, 111, MouseEvent::Left);
    EXPECT_EQ(events.log, (Lines{"7 2", "7 0", "7 3", "7 2", "7 1"}));

    // Pressed on the button and released outside: no click.
    events.log.clear();
    mouse(MouseEvent::Press, 121, 111, MouseEvent::Left);
    mouse(MouseEvent::Move, 600, 600, MouseEvent::Left);
    mouse(MouseEvent::Release, 600, 600, MouseEvent::Left);
    EXPECT_EQ(events.log, (Lines{"7 0", "7 3"}));
    manager.removeWidget(&other);
}

TEST_F(QuarnButtonTest, APressWhileNotHoveredChangesNothingAudible)
{
    ButtonServices services;
    QuarnButton b(&events, 3, plainDesc(), "x");
    MouseEvent e;
    b.onMousePress(&e);
    EXPECT_TRUE(b.isPressed());
    EXPECT_EQ(b.getState(), QuarnButton::Normal);
    b.onMouseRelease(&e);
    EXPECT_EQ(events.log, Lines{});
    EXPECT_EQ(services.played, Lines{});

    QuarnButton silent(nullptr, 4, plainDesc(), "x");
    silent.onMouseEnter();
    silent.onMousePress(&e);
    silent.onMouseRelease(&e);
    silent.onMouseLeave();
    EXPECT_EQ(services.played, Lines{"BUTTON_OVER"}) << "without a listener a press plays nothing";
}

TEST_F(QuarnButtonTest, DisabledButtonsIgnoreThePointerAndDisablingSendsNothing)
{
    auto b = placed(plainDesc());
    b->setEnabled(false);
    EXPECT_EQ(b->getState(), QuarnButton::Disabled);
    mouse(MouseEvent::Move, 120, 110);
    mouse(MouseEvent::Press, 120, 110, MouseEvent::Left);
    mouse(MouseEvent::Release, 120, 110, MouseEvent::Left);
    EXPECT_EQ(events.log, Lines{});

    b->setEnabled(true);
    EXPECT_EQ(events.log, Lines{"7 2"}) << "enabled under the pointer: the manager hands it the hover";
    mouse(MouseEvent::Press, 120, 110, MouseEvent::Left);
    settle(*b);
    ASSERT_EQ(b->getState(), QuarnButton::Pressed);

    events.log.clear();
    b->setEnabled(false);
    EXPECT_EQ(events.log, Lines{});
    EXPECT_EQ(b->getState(), QuarnButton::Disabled);
    EXPECT_EQ(b->getPreviousState(), QuarnButton::Pressed);
    EXPECT_TRUE(b->isFading()) << "pressed and disabled looks differ";
    EXPECT_FALSE(b->isHovered());
    EXPECT_FALSE(b->isPressed());
    mouse(MouseEvent::Release, 120, 110, MouseEvent::Left);
    mouse(MouseEvent::Move, 600, 600);
    EXPECT_EQ(events.log, Lines{});
}

TEST_F(QuarnButtonTest, TooltipShowsAfter1500MsOfHoverAndHidesOnLeave)
{
    ButtonFont tipFont;
    ButtonServices services(&tipFont);
    auto b = placed(plainDesc());
    b->setTooltip("Hint");
    ASSERT_EQ(b->getTooltipFont(), &tipFont);

    mouse(MouseEvent::Move, 120, 110);
    for (int i = 0; i < 14; ++i)
        b->update(100, nullptr);
    b->update(99, nullptr);
    EXPECT_FALSE(b->isTooltipShown()) << "1499 ms";
    b->update(1, nullptr);
    EXPECT_TRUE(b->isTooltipShown()) << "1500 ms";

    mouse(MouseEvent::Move, 600, 600);
    EXPECT_FALSE(b->isTooltipShown());
    b->update(3000, nullptr);
    EXPECT_FALSE(b->isTooltipShown());

    // Hovering again counts from 0.
    mouse(MouseEvent::Move, 120, 110);
    b->update(1000, nullptr);
    mouse(MouseEvent::Move, 600, 600);
    mouse(MouseEvent::Move, 120, 110);
    b->update(1000, nullptr);
    EXPECT_FALSE(b->isTooltipShown());
    b->update(500, nullptr);
    EXPECT_TRUE(b->isTooltipShown());

    // Disabling hides it and stops a pending delay: a disabled button hears
    // no leave that could hide it later.
    b->setEnabled(false);
    EXPECT_FALSE(b->isTooltipShown());
    b->setEnabled(true);
    b->setEnabled(false);
    b->update(5000, nullptr);
    EXPECT_FALSE(b->isTooltipShown());
}

TEST_F(QuarnButtonTest, NoTooltipWithoutATooltipFont)
{
    auto b = placed(plainDesc());
    b->setTooltip("Hint");  // no services: no font
    EXPECT_EQ(b->getTooltipFont(), nullptr);
    mouse(MouseEvent::Move, 120, 110);
    b->update(5000, nullptr);
    EXPECT_FALSE(b->isTooltipShown());

    // A font given directly survives a later text change without services.
    ButtonFont own;
    b->setTooltipFont(&own);
    b->setTooltip("Other");
    EXPECT_EQ(b->getTooltipFont(), &own);
    EXPECT_EQ(b->getTooltip(), "Other");
}

TEST_F(QuarnButtonTest, NoTooltipWithoutATooltipText)
{
    ButtonFont tipFont;
    ButtonServices services(&tipFont);
    auto b = placed(plainDesc());
    b->setTooltip("");
    ASSERT_EQ(b->getTooltipFont(), &tipFont);
    mouse(MouseEvent::Move, 120, 110);
    b->update(5000, nullptr);
    EXPECT_FALSE(b->isTooltipShown());
    RecordingGraphics g;
    b->draw(g, nullptr);
    for (const std::string& call : g.calls)
        EXPECT_EQ(call.find("91,43,8"), std::string::npos) << "a framed box: " << call;

    // A text taken away while its tooltip shows takes the tooltip along.
    b->setTooltip("Hint");
    mouse(MouseEvent::Move, 600, 600);
    mouse(MouseEvent::Move, 120, 110);
    b->update(1500, nullptr);
    ASSERT_TRUE(b->isTooltipShown());
    b->setTooltip("");
    EXPECT_FALSE(b->isTooltipShown());
}

TEST_F(QuarnButtonTest, TooltipSitsAboveTheButtonAndStaysInsideTheScreen)
{
    ButtonFont tipFont(12, 8);
    ButtonServices services(&tipFont);
    QuarnButton b(&events, 1, plainDesc(), "");
    b.setTooltip(std::string(25, 'x'));  // 200 px
    b.onMouseEnter();
    b.update(1500, nullptr);
    ASSERT_TRUE(b.isTooltipShown());
    const std::string run = "run -80 -12 '" + std::string(25, 'x') + "' 91,43,8,255";

    b.setBounds(900, 700, 100, 30);
    RecordingGraphics g;
    b.draw(g, nullptr);
    ASSERT_GE(g.calls.size(), 2u);
    // left = 1024 - 900 - 200 - 4 = -80: the band's right edge is at 1020.
    EXPECT_EQ(g.calls[g.calls.size() - 2], "fillRect -83 -15 206 18 91,43,8,255");
    EXPECT_EQ(g.calls.back(), "fillRect -82 -14 204 16 251,242,184,255");
    EXPECT_EQ(tipFont.calls.back(), run);

    b.setBounds(100, 700, 100, 30);
    RecordingGraphics near;
    b.draw(near, nullptr);
    EXPECT_EQ(near.calls.back(), "fillRect 48 -14 204 16 251,242,184,255") << "left = width / 2";
}

TEST_F(QuarnButtonTest, FadeInThenCrossFadeMoveTheLookAlphas)
{
    auto b = std::make_unique<QuarnButton>(&events, 7, plainDesc(nullptr, 100), "OK");
    b->setBounds(100, 100, 150, 37);
    const auto& looks = b->getDesc().looks;
    manager.addWidget(b.get());
    EXPECT_TRUE(b->isFading());
    EXPECT_EQ(looks[0].fill.a, 0);
    EXPECT_EQ(looks[0].text.a, 0);
    OutlineGraphics fadingIn;
    b->draw(fadingIn, nullptr);
    EXPECT_EQ(fadingIn.calls, (Lines{"fillRect 0 0 150 37 10,20,30,0", "drawRect 0 0 150 37 1,2,3,0"}))
        << "the look fading in is drawn once";
    b->update(50, nullptr);  // the first setters end
    b->update(50, nullptr);  // the tweens start; no time yet
    EXPECT_EQ(looks[0].fill.a, 0);
    b->update(50, nullptr);
    EXPECT_EQ(looks[0].fill.a, 100);
    EXPECT_EQ(looks[0].text.a, 127);
    b->update(50, nullptr);
    EXPECT_EQ(looks[0].fill.a, 200);
    EXPECT_EQ(looks[0].text.a, 255);
    settle(*b);
    EXPECT_FALSE(b->isFading());
    EXPECT_EQ(looks[0].fill, kNormalFill);

    // Hover: the hovered look rises over 100 ms, the normal one falls over
    // three times that.
    mouse(MouseEvent::Move, 120, 110);
    EXPECT_TRUE(b->isFading());
    EXPECT_EQ(looks[1].fill.a, 0);
    EXPECT_EQ(looks[0].fill.a, 200);
    b->update(50, nullptr);
    b->update(50, nullptr);
    b->update(50, nullptr);
    EXPECT_EQ(looks[1].fill.a, 127);
    EXPECT_EQ(looks[1].text.a, 50);
    EXPECT_EQ(looks[0].fill.a, 166);  // 200 - 200 * 50 / 300, truncated

    // While fading the previous look is drawn under the current one.
    OutlineGraphics g;
    b->draw(g, nullptr);
    ASSERT_EQ(g.calls.size(), 4u);
    EXPECT_EQ(g.calls[0], "fillRect 0 0 150 37 10,20,30,166");
    EXPECT_EQ(g.calls[2], "fillRect 0 0 150 37 200,0,0,127");

    b->update(50, nullptr);
    EXPECT_EQ(looks[1].fill.a, 255);
    EXPECT_EQ(looks[0].fill.a, 133);
    settle(*b);
    EXPECT_FALSE(b->isFading());
    // The end restores every saved colour; only the current look is drawn.
    EXPECT_EQ(looks[0].fill, kNormalFill);
    EXPECT_EQ(looks[1].fill, kHoverFill);
    OutlineGraphics after;
    b->draw(after, nullptr);
    EXPECT_EQ(after.calls, (Lines{"fillRect 0 0 150 37 200,0,0,255", "drawRect 0 0 150 37 0,200,0,255"}));
    manager.removeWidget(b.get());
}

TEST_F(QuarnButtonTest, EqualLooksStartNoCrossFadeEvenDuringTheFadeIn)
{
    const ButtonDesc::Look same(kNormalFill, kNormalText);
    ButtonDesc desc(same, same, ButtonDesc::Look(kPressedFill, kNormalText), same, 100);
    QuarnButton b(&events, 1, desc, "");
    b.setBounds(100, 100, 150, 37);
    manager.addWidget(&b);
    ASSERT_TRUE(b.isFading());
    b.update(50, nullptr);
    b.update(50, nullptr);
    b.update(50, nullptr);
    ASSERT_EQ(b.getDesc().looks[0].fill.a, 100);

    // The normal look's alpha is half-way through the fade-in, so it differs
    // from the hovered look's; as described the looks are equal.
    mouse(MouseEvent::Move, 120, 110);
    EXPECT_EQ(b.getState(), QuarnButton::Hovered);
    EXPECT_EQ(b.getDesc().looks[1].fill.a, 200) << "a cross-fade would have set it to 0";
    settle(b);
    mouse(MouseEvent::Move, 121, 110);
    mouse(MouseEvent::Move, 600, 600);
    EXPECT_FALSE(b.isFading());
    manager.removeWidget(&b);
}

TEST_F(QuarnButtonTest, PlainLooksAreInsetFilledAndOutlinedWithTheFillAlpha)
{
    ButtonFont font;
    ButtonDesc desc = plainDesc(&font);
    desc.looks[0].placement = WidgetGeometry(3, 2, 0, 0, 0);
    desc.looks[0].fill = Color(10, 20, 30, 0);
    desc.hAlign = 2;
    desc.vAlign = 2;
    desc.captionBox = WidgetGeometry(1, 7, 0, 204, 34);
    desc.saveColors();
    QuarnButton b(&events, 1, desc, "Play");
    b.setBounds(0, 0, 150, 37);

    OutlineGraphics g;
    b.draw(g, nullptr);
    EXPECT_EQ(g.calls, (Lines{"fillRect 3 2 144 33 10,20,30,0", "drawRect 3 2 144 33 1,2,3,0"}))
        << "a transparent fill hides the outline";
    EXPECT_EQ(font.calls, Lines{"box 1 7 0 204x34 'Play' 1,2,3,255 h2 v2 wrap"});

    b.setCaption("Quit");
    font.calls.clear();
    b.draw(g, nullptr);
    EXPECT_EQ(font.calls, Lines{"box 1 7 0 204x34 'Quit' 1,2,3,255 h2 v2 wrap"});
}

TEST_F(QuarnButtonTest, LookFieldsMakeEqualityAndTheSavedColoursFollowThem)
{
    ButtonFont font;
    const ButtonDesc::Look a(kNormalFill, kNormalText, nullptr, WidgetGeometry(), &font);
    ButtonDesc::Look b = a;
    EXPECT_EQ(a, b);
    b.extra = 1;
    EXPECT_NE(a, b);
    b = a;
    b.placement.w = 5;
    EXPECT_NE(a, b);
    b = a;
    b.font = nullptr;
    EXPECT_NE(a, b);

    ButtonDesc desc(a, ButtonDesc::Look(kHoverFill, kHoverText), a, a, 300);
    EXPECT_EQ(desc.hAlign, 0);
    EXPECT_EQ(desc.vAlign, 2);
    EXPECT_EQ(desc.fadeTime, 300);
    ASSERT_EQ(desc.savedColors.size(), 8u);
    EXPECT_EQ(desc.savedColors[2], kHoverText);
    EXPECT_EQ(desc.savedColors[3], kHoverFill);
    const ButtonDesc copy = desc;
    EXPECT_EQ(copy.savedColors, desc.savedColors);

    // A button takes the saved colours from the looks it is given, so a
    // look edited after the description was built does not fade back.
    desc.looks[1].fill = Color(1, 1, 1, 40);
    QuarnButton button(nullptr, 1, desc, "");
    EXPECT_EQ(button.getDesc().savedFill(1), Color(1, 1, 1, 40));
}

TEST_F(QuarnButtonTest, CreateWithoutADescriptionGivesADefaultButton)
{
    const int before = errorCount();
    testing::internal::CaptureStdout();
    std::unique_ptr<QuarnButton> b(createQuarnButton(&events, 5, nullptr, "Go"));
    testing::internal::GetCapturedStdout();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(errorCount(), before + 1);
    EXPECT_EQ(b->getCaption(), "Go");
    EXPECT_EQ(b->getId(), 5);
    EXPECT_EQ(b->getGeometry().w, 0);

    const ButtonDesc desc = plainDesc();
    std::unique_ptr<QuarnButton> c(createQuarnButton(&events, 6, &desc, "Go"));
    EXPECT_EQ(c->getDesc().looks[1].fill, kHoverFill);
}

TEST_F(QuarnButtonTest, AListenerMayRemoveTheButtonAndAddWidgetsWhileItIsNotified)
{
    CallLog log;
    {
        FakeScreenStack stack;
        auto* screen = new TestScreen(&log);
        screen->show(nullptr);
        auto* b = new QuarnButton(&events, 9, plainDesc(), "OK");
        b->setBounds(100, 100, 150, 37);
        screen->addWidget(b);
        LogWidget* added = nullptr;
        events.after = [&](int, int event) {
            if (event != 1)
                return;
            screen->safeRemoveWidget(b);
            added = new LogWidget("added", &log, 400, 400, 0, 10, 10);
            screen->addWidget(added);
        };
        auto at = [&](int type, int x, int y, int buttons = 0) {
            stack.mouse = Point(x, y);
            screen->onMouse(mouseAt(type, x, y, buttons));
        };
        at(MouseEvent::Move, 120, 110);
        at(MouseEvent::Press, 120, 110, MouseEvent::Left);
        at(MouseEvent::Release, 120, 110, MouseEvent::Left);
        at(MouseEvent::Move, 10, 10);  // dropped: the list changed this frame
        EXPECT_EQ(events.log, (Lines{"9 2", "9 0", "9 1"}));
        EXPECT_TRUE(screen->ownsWidget(b)) << "deleted at the next update, not inside its own handler";
        EXPECT_FALSE(screen->getWidgetManager()->contains(b));
        ASSERT_NE(added, nullptr);
        EXPECT_TRUE(screen->getWidgetManager()->contains(added));

        testing::internal::CaptureStdout();
        stack.updateFrame(16);
        testing::internal::GetCapturedStdout();
        EXPECT_FALSE(screen->ownsWidget(b));

        // A listener that deletes the button at once is safe too: the button
        // touches nothing of itself after notifying.
        auto* d = new QuarnButton(&events, 10, plainDesc(), "OK");
        d->setBounds(300, 300, 50, 20);
        screen->addWidget(d);
        events.after = [&](int, int event) {
            if (event == 0)
                screen->removeWidget(d);
        };
        at(MouseEvent::Move, 310, 310);
        at(MouseEvent::Press, 310, 310, MouseEvent::Left);
        EXPECT_FALSE(screen->ownsWidget(d));
        events.after = nullptr;
        testing::internal::CaptureStdout();
        stack.updateFrame(16);
        at(MouseEvent::Release, 310, 310, MouseEvent::Left);
        testing::internal::GetCapturedStdout();
    }
}
