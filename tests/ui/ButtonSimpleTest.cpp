// SimpleTextButton, SimpleImageButton, StaticImageButton, CheckBoxWidget and
// DraggableImageWidget without a window: events, sounds, the click rule,
// glows, captions and dragging. Pictures and pixel tests are in
// ButtonGLTest.cpp.
#include "engine/anim/Tweens.h"
#include "engine/ui/CheckBoxWidget.h"
#include "engine/ui/DraggableImageWidget.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/SimpleTextButton.h"
#include "engine/ui/StaticImageButton.h"
#include "engine/ui/WidgetManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/ButtonTestDoubles.h"
#include "tests/ui/TestWidgets.h"
#include <gtest/gtest.h>

namespace {

MouseEvent left(int type, int x = 0, int y = 0)
{
    return mouseAt(type, x, y, MouseEvent::Left);
}

// Moves the press, release, enter and leave of one pointer gesture through
// a widget directly.
template <typename W>
void press(W& w, int x = 0, int y = 0, int buttons = MouseEvent::Left)
{
    MouseEvent e = mouseAt(MouseEvent::Press, x, y, buttons);
    w.onMousePress(&e);
}

template <typename W>
void release(W& w, int x = 0, int y = 0, int buttons = MouseEvent::Left)
{
    MouseEvent e = mouseAt(MouseEvent::Release, x, y, buttons);
    w.onMouseRelease(&e);
}

// A static button that installs a glow the way derived buttons do.
class GlowingButton : public StaticImageButton {
public:
    explicit GlowingButton(SimpleButtonListener* l) : StaticImageButton(nullptr, nullptr, l, 3)
    {
        glowAction = std::make_unique<RelIncrementator<unsigned char>>(Duration(100), &glowAlpha, 200);
        glowAction->start(this, 77);
    }
    void onActionFinished(int32_t id) override { finished = id; }
    int alpha() const { return glowAlpha; }
    int finished = -1;
};

} // namespace

TEST(SimpleTextButton, EventsSoundsAndTheClickRule)
{
    ButtonServices services;
    ButtonEvents events;
    SimpleTextButton b("Go", &events, nullptr, 4);
    b.onMouseEnter();
    press(b);
    EXPECT_TRUE(b.isPressed());
    release(b);
    b.onMouseLeave();
    EXPECT_EQ(events.log, (Lines{"4 2", "4 0", "4 1", "4 3"}));
    EXPECT_EQ(services.played, (Lines{"BUTTON_OVER", "BUTTON_PRESS"}));

    // Right and middle buttons do nothing.
    events.log.clear();
    services.played.clear();
    b.onMouseEnter();
    press(b, 0, 0, MouseEvent::Right);
    release(b, 0, 0, MouseEvent::Middle);
    EXPECT_FALSE(b.isPressed());
    EXPECT_EQ(events.log, (Lines{"4 2"}));

    // Held, dragged out (a leave on every move outside) and back: pressed
    // again, and the release is a click.
    events.log.clear();
    press(b);
    b.onMouseLeave();
    b.onMouseLeave();
    EXPECT_FALSE(b.isPressed());
    b.onMouseEnter();
    EXPECT_TRUE(b.isPressed());
    release(b);
    EXPECT_EQ(events.log, (Lines{"4 0", "4 3", "4 3", "4 2", "4 1"}));

    // Released outside, or a release without a press on the button: no click.
    events.log.clear();
    press(b);
    b.onMouseLeave();
    release(b);
    b.onMouseEnter();
    EXPECT_FALSE(b.isPressed());
    release(b);
    EXPECT_EQ(events.log, (Lines{"4 0", "4 3", "4 2"}));
}

TEST(SimpleTextButton, OwnSoundsPlayOnlyWhileTheNamedEffectsAreNotLoaded)
{
    ButtonEvents events;
    CountingSound pressSound, hoverSound;
    SimpleTextButton b("Go", &events, nullptr, 4);
    b.setOwnSounds(&pressSound, &hoverSound);

    b.onMouseEnter();  // no services at all
    press(b);
    EXPECT_EQ(hoverSound.plays, 1);
    EXPECT_EQ(pressSound.plays, 1);
    {
        ButtonServices notLoaded(nullptr, false);
        b.onMouseEnter();
        EXPECT_EQ(hoverSound.plays, 2);
        EXPECT_EQ(notLoaded.played, Lines{});
    }
    ButtonServices loaded;
    b.onMouseEnter();
    press(b);
    EXPECT_EQ(hoverSound.plays, 2);
    EXPECT_EQ(pressSound.plays, 1);
    EXPECT_EQ(loaded.played, (Lines{"BUTTON_OVER", "BUTTON_PRESS"}));
}

TEST(SimpleTextButton, DrawsInThePairOfItsStateWithACentredCaption)
{
    FakeAppContext app;
    ButtonFont font(14, 8);
    ButtonEvents events;
    SimpleTextButton b("Play", &events, &font, 1);
    b.setBounds(20, 30, 256, 30);
    b.setBackgroundColors(Color(0, 0, 0, 190), Color(64, 64, 64, 190), Color(127, 127, 127, 190));
    b.setTextColors(Color(255, 255, 255, 255), Color(0, 0, 255, 255), Color(0, 0, 254, 255));
    WidgetManager manager(nullptr);
    manager.addWidget(&b);

    // x = (256 - 32) / 2, y = (30 - 14) / 2 - 4.
    RecordingGraphics normal;
    b.draw(normal, nullptr);
    EXPECT_EQ(normal.calls, Lines{"fillRect 0 0 256 30 0,0,0,190"});
    EXPECT_EQ(font.calls.back(), "run 112 4 'Play' 255,255,255,255");

    app.mouse = Point(30, 40);
    RecordingGraphics hovered;
    b.draw(hovered, nullptr);
    EXPECT_EQ(hovered.calls, Lines{"fillRect 0 0 256 30 64,64,64,190"});
    EXPECT_EQ(font.calls.back(), "run 112 4 'Play' 0,0,255,255");

    press(b);
    b.setShadow(true);
    b.setNoBackground(true);
    font.calls.clear();
    RecordingGraphics pressed;
    b.draw(pressed, nullptr);
    EXPECT_EQ(pressed.calls, Lines{});
    EXPECT_EQ(font.calls, (Lines{"run 113 5 'Play' 0,0,0,255", "run 112 4 'Play' 0,0,254,255"}));

    SimpleTextButton fontless("x", &events, nullptr, 2);
    fontless.setBounds(0, 0, 10, 10);
    RecordingGraphics none;
    fontless.draw(none, nullptr);
    EXPECT_EQ(none.calls, Lines{});
    manager.removeWidget(&b);
}

TEST(SimpleImageButton, GlowFollowsUpdatesInStepsOfTen)
{
    ButtonEvents events;
    SimpleImageButton b(&events, 5, 6, 40, 20, nullptr, nullptr, nullptr, 1002);
    EXPECT_EQ(b.getGeometry().x, 5);
    EXPECT_EQ(b.getGeometry().w, 40);
    b.onMouseEnter();
    EXPECT_EQ(events.log, Lines{"1002 2"});
    for (int i = 0; i < 25; ++i)
        b.update(16, nullptr);
    EXPECT_EQ(b.getGlowAlpha(), 250);
    EXPECT_EQ(b.getGlowState(), SimpleImageButton::GlowRising);
    b.update(1000, nullptr);  // frames, not milliseconds
    EXPECT_EQ(b.getGlowAlpha(), 255);
    EXPECT_EQ(b.getGlowState(), SimpleImageButton::GlowStill);

    b.onMouseLeave();
    for (int i = 0; i < 25; ++i)
        b.update(16, nullptr);
    EXPECT_EQ(b.getGlowAlpha(), 5);
    b.update(16, nullptr);
    EXPECT_EQ(b.getGlowAlpha(), 0);
    EXPECT_EQ(b.getGlowState(), SimpleImageButton::GlowStill);
    press(b);
    release(b);
    EXPECT_EQ(events.log, (Lines{"1002 2", "1002 3", "1002 0", "1002 1"}));
}

TEST(SimpleImageButton, CaptionedButtonsHaveClearBackgroundsAndDisabledOnesShowTheirTooltip)
{
    FakeAppContext app;
    ButtonFont font(10, 6);
    SimpleImageButton b(nullptr, nullptr, nullptr, -10000, &font, "OK");
    b.setNormalTextColor(Color(255, 255, 255, 255));
    b.setBounds(300, 400, 150, 37);
    RecordingGraphics g;
    b.draw(g, nullptr);
    EXPECT_EQ(g.calls, Lines{"fillRect 0 0 150 37 0,0,0,0"});
    EXPECT_EQ(font.calls, Lines{"run 69 9 'OK' 255,255,255,255"});

    // Disabled, with the pointer on it: the tooltip in red below, in a box
    // from the screen's left edge.
    b.setTooltip("Not yet");
    b.setEnabled(false);
    app.mouse = Point(310, 410);
    font.calls.clear();
    b.draw(g, nullptr);
    ASSERT_EQ(font.calls.size(), 2u);
    EXPECT_EQ(font.calls[0], "box -300 37 150 1024x40 'Not yet' 255,0,0,255 h2 v3 nowrap");
    app.mouse = Point(10, 10);
    font.calls.clear();
    b.draw(g, nullptr);
    EXPECT_EQ(font.calls.size(), 1u) << "no tooltip with the pointer elsewhere";
}

TEST(SimpleImageButton, WithoutGlowModeEnteringSwapsTheCurrentImage)
{
    // Stand-in pictures: only their addresses matter here.
    GLTexture* normal = reinterpret_cast<GLTexture*>(0x10);
    GLTexture* hover = reinterpret_cast<GLTexture*>(0x20);
    SimpleImageButton b(nullptr, 0, 0, 10, 10, normal, hover, nullptr, 1);
    b.setGlowMode(false);
    EXPECT_EQ(b.getCurrentImage(), normal);
    b.onMouseEnter();
    EXPECT_EQ(b.getCurrentImage(), hover);
    EXPECT_EQ(b.getGlowState(), SimpleImageButton::GlowStill);
    b.onMouseLeave();
    EXPECT_EQ(b.getCurrentImage(), normal);
}

TEST(StaticImageButton, EventsSoundsSilenceAndTheClickRule)
{
    ButtonServices services;
    ButtonEvents events;
    StaticImageButton b(nullptr, nullptr, &events, 0);
    b.onMouseEnter();
    press(b);
    EXPECT_TRUE(b.isPressed());
    release(b);
    b.onMouseLeave();
    EXPECT_EQ(events.log, (Lines{"0 2", "0 0", "0 1", "0 3"}));
    EXPECT_EQ(services.played, (Lines{"BUTTON_OVER", "BUTTON_PRESS"}));

    // Released after leaving: no click. Silent: every event, no sound.
    events.log.clear();
    services.played.clear();
    b.setSilent(true);
    b.onMouseEnter();
    press(b);
    b.onMouseLeave();
    release(b);
    EXPECT_EQ(events.log, (Lines{"0 2", "0 0", "0 3"}));
    EXPECT_EQ(services.played, Lines{});

    // Invisible: nothing at all.
    events.log.clear();
    b.setVisible(false);
    b.onMouseEnter();
    press(b);
    release(b);
    b.onMouseLeave();
    EXPECT_EQ(events.log, Lines{});
    EXPECT_FALSE(b.hitTest(0, 0));
}

TEST(StaticImageButton, DisablingClearsTheStateAndMoveToKeepsTheDepth)
{
    ButtonEvents events;
    StaticImageButton b(nullptr, nullptr, &events, 0);
    b.onMouseEnter();
    press(b);
    b.setEnabled(false);
    EXPECT_FALSE(b.isHovered());
    EXPECT_FALSE(b.isPressed());
    EXPECT_FALSE(b.isEnabled());

    FakeAppContext app;
    WidgetManager manager(nullptr);
    LogWidget below("below", nullptr, 0, 0, 0, 10, 10);
    manager.addWidget(&below);
    manager.addWidget(&b);
    const int z = b.getGeometry().z;
    ASSERT_EQ(z, 2);
    b.moveTo(794, 688);
    EXPECT_EQ(b.getGeometry().x, 794);
    EXPECT_EQ(b.getGeometry().y, 688);
    EXPECT_EQ(b.getGeometry().z, z) << "a managed button keeps its place among the others";
    manager.removeWidget(&b);
    manager.removeWidget(&below);
}

TEST(StaticImageButton, CaptionWithShadowAndAGlowDrivenByADerivedButton)
{
    ButtonFont font;
    StaticImageButton b(nullptr, nullptr, nullptr, 0);
    b.setCaption("MAIN MENU", &font, WidgetGeometry(32, 15, 0, 102, 19), 2, Color(255, 255, 255, 255));
    b.setCaptionShadow(true);
    RecordingGraphics g;
    b.draw(g, nullptr);
    EXPECT_EQ(font.calls, (Lines{"box 33 16 0 102x19 'MAIN MENU' 0,0,0,255 h2 v2 nowrap",
                                 "box 32 15 0 102x19 'MAIN MENU' 255,255,255,255 h2 v2 nowrap"}));

    GlowingButton glowing(nullptr);
    glowing.update(50, nullptr);
    EXPECT_EQ(glowing.alpha(), 100);
    glowing.update(50, nullptr);
    EXPECT_EQ(glowing.alpha(), 200);
    EXPECT_EQ(glowing.finished, 77);
}

TEST(CheckBoxWidget, TogglesPlaysTheRightEffectAndReportsTheNewState)
{
    ButtonServices services;
    ButtonEvents events;
    CheckBoxWidget box(&events, 12, nullptr, nullptr);
    press(box);
    EXPECT_TRUE(box.isChecked());
    press(box, 0, 0, MouseEvent::Right);  // any button
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(events.log, (Lines{"12 checked", "12 unchecked"}));
    EXPECT_EQ(services.played, (Lines{"CHECKBOX_CHECK", "CHECKBOX_UNCHECK"}));

    // Set from outside: quiet.
    box.setChecked(true);
    EXPECT_EQ(events.log.size(), 2u);
    EXPECT_EQ(services.played.size(), 2u);

    // Own sound while the named effects are not loaded.
    services.loaded = false;
    CountingSound toggle;
    box.setToggleSound(&toggle);
    press(box);
    EXPECT_EQ(toggle.plays, 1);
    EXPECT_EQ(services.played.size(), 2u);
    EXPECT_EQ(events.log.back(), "12 unchecked");
}

TEST(DraggableImageWidget, DragsByTheGrabOffsetRaisesAndReportsTheDrop)
{
    FakeAppContext app;
    ButtonEvents events;
    WidgetManager manager(nullptr);
    DraggableImageWidget piece(nullptr, &events, 2000, 10, 20);
    LogWidget other("other", nullptr, 0, 0, 0, 5, 5);
    manager.addWidget(&piece);
    manager.addWidget(&other);
    ASSERT_EQ(piece.getGeometry().z, 1);

    press(piece, 30, 40);
    EXPECT_TRUE(piece.isDragging());
    EXPECT_EQ(piece.getGeometry().z, 3) << "raised above the others";
    MouseEvent move = left(MouseEvent::Move, 100, 100);
    piece.onMouseMove(&move);
    EXPECT_EQ(piece.getGeometry().x, 80);
    EXPECT_EQ(piece.getGeometry().y, 80);
    EXPECT_EQ(piece.getGeometry().z, 3);
    release(piece, 100, 100);
    EXPECT_FALSE(piece.isDragging());
    piece.onMouseMove(&move);
    EXPECT_EQ(events.log, (Lines{"2000 0", "2000 4"}));

    // A release without a drag drops nothing; keep-z stays in its place.
    release(piece);
    piece.setKeepZ(true);
    press(piece, 80, 80);
    EXPECT_EQ(piece.getGeometry().z, 3);
    release(piece, 80, 80);
    EXPECT_EQ(events.log, (Lines{"2000 0", "2000 4", "2000 0", "2000 4"}));

    // Switched off: it neither starts nor follows a drag.
    piece.setDecoratorEnabled(false);
    press(piece, 80, 80);
    MouseEvent far = left(MouseEvent::Move, 300, 300);
    piece.onMouseMove(&far);
    release(piece, 300, 300);
    EXPECT_EQ(piece.getGeometry().x, 80);
    EXPECT_EQ(events.log.size(), 4u);
    EXPECT_FALSE(piece.hitTest(80, 80)) << "no picture, no pixels to hit";
    manager.removeWidget(&piece);
    manager.removeWidget(&other);
}
