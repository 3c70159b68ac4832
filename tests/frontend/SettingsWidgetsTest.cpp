// The check box, the slider, their tooltip and the name field's caret,
// without a window: textures painted in memory, drawing recorded.
#include "engine/ui/CheckBoxListener.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/BlinkingVertCursor.h"
#include "frontend/CustomCheckBox.h"
#include "frontend/CustomSliderListener.h"
#include "frontend/CustomSliderWidget.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/support/TestTextures.h"
#include "tests/ui/TestWidgets.h"
#include "tests/ui/TextWidgetTestDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct SliderLog : CustomSliderListener {
    std::vector<std::pair<int, float>> changes;
    void onSliderChanged(int id, float value) override { changes.emplace_back(id, value); }
};

struct CheckLog : CheckBoxListener {
    std::vector<std::pair<int, bool>> changes;
    void onCheckChanged(int id, bool checked) override { changes.emplace_back(id, checked); }
};

MouseEvent at(int x, int y, int type)
{
    MouseEvent e;
    e.x = x;
    e.y = y;
    e.type = type;
    e.buttons = MouseEvent::Left;
    return e;
}

int imagesDrawn(const RecordingGraphics& g)
{
    return static_cast<int>(std::count_if(g.calls.begin(), g.calls.end(),
                                          [](const std::string& c) { return c.rfind("drawImage", 0) == 0; }));
}

class SliderTest : public ::testing::Test {
protected:
    // The options screen's geometry: a 244-wide rail, a track of 202 from
    // x 20, the thumb and fill origins at 20.
    std::unique_ptr<GLTexture> rail = solidTexture(244, 24, Color(90, 90, 90));
    std::unique_ptr<GLTexture> thumb = solidTexture(20, 24, Color(200, 0, 0));
    std::unique_ptr<GLTexture> hover = solidTexture(20, 24, Color(0, 200, 0));
    std::unique_ptr<GLTexture> fill = solidTexture(8, 14, Color(0, 0, 200));
    SliderLog log;
    CustomSliderWidget slider{&log, 1, 300, 100, rail.get(), thumb.get()};

    void SetUp() override
    {
        slider.setHoverThumb(hover.get());
        slider.setFill(fill.get());
        slider.setThumbOrigin(20, 0);
        slider.setFillOrigin(20, 5);
        slider.setTrackArea(WidgetGeometry(20, 2, 0, 202, 18));
    }
};

} // namespace

TEST_F(SliderTest, APressJumpsToThePointAndADragPinsAtBothEndsNotifyingEveryMove)
{
    EXPECT_EQ(slider.getGeometry().w, 244);
    MouseEvent press = at(300 + 121, 110, MouseEvent::Press);
    slider.onMousePress(&press);
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].first, 1);
    EXPECT_FLOAT_EQ(log.changes[0].second, 0.5f);
    EXPECT_TRUE(slider.isDragging());

    MouseEvent left = at(300 - 50, 110, MouseEvent::Move);
    slider.onMouseMove(&left);
    MouseEvent right = at(300 + 999, 110, MouseEvent::Move);
    slider.onMouseMove(&right);
    slider.onMouseMove(&right);
    ASSERT_EQ(log.changes.size(), 4u);
    EXPECT_FLOAT_EQ(log.changes[1].second, 0.f);
    EXPECT_FLOAT_EQ(log.changes[2].second, 1.f);
    EXPECT_FLOAT_EQ(log.changes[3].second, 1.f);

    // Leaving during the drag keeps the hovered thumb until the release.
    slider.onMouseEnter();
    slider.onMouseLeave();
    EXPECT_EQ(slider.getCurrentThumb(), hover.get());
    MouseEvent release = at(300 + 999, 110, MouseEvent::Release);
    slider.onMouseRelease(&release);
    EXPECT_EQ(slider.getCurrentThumb(), thumb.get());
    slider.onMouseMove(&left);
    EXPECT_EQ(log.changes.size(), 4u) << "a move without a drag changed the value";
}

TEST_F(SliderTest, ADragReleasedOffTheSliderTakesItsTooltipAlong)
{
    FixedFont font(12);
    slider.setTooltipFont(&font);
    slider.setTooltipText("Volume");
    // A screen's widgets lie on its full-screen mouse catcher, under them.
    LogWidget catcher("catcher", nullptr, 0, 0, 1, 1024, 768);
    WidgetManager manager(nullptr);
    manager.addWidget(&catcher);
    manager.addWidget(&slider);
    const auto drag = [&](int releaseX, int releaseY) {
        manager.onMouse(mouseAt(MouseEvent::Move, 400, 110));
        slider.update(1500, nullptr);
        ASSERT_TRUE(slider.getTooltip().isVisible());
        manager.onMouse(mouseAt(MouseEvent::Press, 400, 110, MouseEvent::Left));
        manager.onMouse(mouseAt(MouseEvent::Move, releaseX, releaseY, MouseEvent::Left));
        EXPECT_TRUE(slider.getTooltip().isVisible()) << "the drag keeps it until the release";
        manager.onMouse(mouseAt(MouseEvent::Release, releaseX, releaseY, MouseEvent::Left));
        EXPECT_FALSE(slider.isDragging());
        EXPECT_FALSE(slider.getTooltip().isVisible());
        EXPECT_EQ(slider.getCurrentThumb(), thumb.get());
        // The pointer wanders; nothing brings the box back, no value follows.
        const size_t changes = log.changes.size();
        manager.onMouse(mouseAt(MouseEvent::Move, releaseX + 5, releaseY));
        slider.update(3000, nullptr);
        EXPECT_FALSE(slider.getTooltip().isVisible());
        EXPECT_EQ(log.changes.size(), changes);
    };
    {
        SCOPED_TRACE("released below the slider");
        drag(400, 220);
    }
    {
        SCOPED_TRACE("released on the rail's end, outside track and thumb");
        drag(305, 110);
    }
    // Released on the slider itself: the tooltip stays while it is hovered.
    manager.onMouse(mouseAt(MouseEvent::Move, 400, 110));
    slider.update(1500, nullptr);
    manager.onMouse(mouseAt(MouseEvent::Press, 400, 110, MouseEvent::Left));
    manager.onMouse(mouseAt(MouseEvent::Release, 410, 110, MouseEvent::Left));
    EXPECT_TRUE(slider.getTooltip().isVisible());
    manager.removeWidget(&slider);
    manager.removeWidget(&catcher);
}

TEST_F(SliderTest, TheFillCoversTheValuesPartInWholePicturesAndOnlyTrackAndThumbAreHit)
{
    RecordingGraphics g;
    slider.setValue(1.f);
    EXPECT_EQ(slider.fillTileCount(), 26);  // ceil(202 / 8)
    slider.draw(g, nullptr);
    EXPECT_EQ(imagesDrawn(g), 1 + 26 + 1);
    EXPECT_EQ(g.calls.back(), "drawImage 222 0 255,255,255,255");  // thumb at 20 + 202

    g.calls.clear();
    slider.setValue(0.f);
    slider.draw(g, nullptr);
    EXPECT_EQ(imagesDrawn(g), 2);

    EXPECT_TRUE(slider.hitTest(300 + 100, 100 + 10));   // on the track
    EXPECT_TRUE(slider.hitTest(300 + 21, 100 + 1));     // on the thumb, above the track
    EXPECT_FALSE(slider.hitTest(300 + 5, 100 + 10));    // the rail's end, outside both
    EXPECT_FALSE(slider.hitTest(300 + 100, 100 + 30));  // below the widget
}

TEST_F(SliderTest, ATrackOfNoLengthChangesNothingAndTellsNobody)
{
    slider.setTrackArea(WidgetGeometry(20, 2, 0, 0, 18));
    slider.setValue(0.25f);
    MouseEvent press = at(300 + 121, 110, MouseEvent::Press);
    slider.onMousePress(&press);
    slider.onMouseMove(&press);
    EXPECT_TRUE(log.changes.empty());
    EXPECT_FLOAT_EQ(slider.getValue(), 0.25f);
}

TEST(CustomCheckBox, OnlyPressesInsideTheClickAreaToggleAndTellTheListener)
{
    auto off = solidTexture(220, 60, Color(80, 80, 80));
    auto on = solidTexture(220, 60, Color(0, 160, 0));
    CheckLog log;
    CustomCheckBox box(0, &log, off.get(), on.get());
    box.setPosition(100, 200);
    EXPECT_EQ(box.getGeometry().w, 220);
    box.setClickArea(184, 12, 36, 40);

    MouseEvent outside = at(100 + 100, 200 + 30, MouseEvent::Press);
    box.onMousePress(&outside);
    EXPECT_FALSE(box.isChecked());
    EXPECT_TRUE(log.changes.empty());

    MouseEvent inside = at(100 + 200, 200 + 30, MouseEvent::Press);
    box.onMousePress(&inside);
    box.onMousePress(&inside);
    ASSERT_EQ(log.changes.size(), 2u);
    EXPECT_EQ(log.changes[0], std::make_pair(0, true));
    EXPECT_EQ(log.changes[1], std::make_pair(0, false));

    // Set from outside: silent.
    box.setChecked(true);
    EXPECT_EQ(log.changes.size(), 2u);
    RecordingGraphics g;
    box.setEnabled(false);
    box.draw(g, nullptr);
    EXPECT_EQ(g.calls.front(), "drawImage 0 0 128,128,128,255");
}

TEST(WidgetTooltip, ShowsAfter1500MsOfRestingAndGoesWithThePointer)
{
    FixedFont font(12);
    auto off = solidTexture(32, 32, Color(80, 80, 80));
    CustomCheckBox box(3, nullptr, off.get(), off.get());
    box.onMouseEnter();
    EXPECT_FALSE(box.getTooltip().isPending()) << "no font: no tooltip";
    box.setTooltipFont(&font);
    box.onMouseEnter();
    EXPECT_FALSE(box.getTooltip().isPending()) << "no text: no tooltip";
    box.onMouseLeave();

    box.setTooltipText("Tip");
    box.onMouseEnter();
    box.update(1499, nullptr);
    EXPECT_FALSE(box.getTooltip().isVisible());
    box.update(1, nullptr);
    EXPECT_TRUE(box.getTooltip().isVisible());
    RecordingGraphics g;
    box.draw(g, nullptr);
    // Frame and paper above the box, from its middle: w / 2 = 16, lh = 12.
    EXPECT_EQ(g.calls[1], "fillRect 13 -15 36 18 91,43,8,255");
    EXPECT_EQ(g.calls[2], "fillRect 14 -14 34 16 251,242,184,255");
    EXPECT_EQ(font.calls.back(), "run 16 -12 'Tip' 91,43,8,255");
    box.onMouseLeave();
    EXPECT_FALSE(box.getTooltip().isVisible());
    EXPECT_FALSE(box.getTooltip().isPending());
}

TEST(BlinkingVertCursor, TogglesAfterMoreThanItsIntervalAndShowsAgainWhenMoved)
{
    BlinkingVertCursor caret(Color(200, 200, 200, 200), 500, 2);
    caret.setRect(WidgetGeometry(30, 4, 0, 1, 24));
    EXPECT_TRUE(caret.isShown());
    caret.update(500);
    EXPECT_TRUE(caret.isShown());
    caret.update(1);
    EXPECT_FALSE(caret.isShown());
    RecordingGraphics g;
    caret.draw(g);
    EXPECT_TRUE(g.calls.empty());
    caret.setRect(WidgetGeometry(40, 4, 0, 1, 24));
    EXPECT_TRUE(caret.isShown());
    caret.draw(g);
    ASSERT_EQ(g.calls.size(), 1u);
    EXPECT_EQ(g.calls[0], "fillRect 40 4 2 24 200,200,200,200");
}
