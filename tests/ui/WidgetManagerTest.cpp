#include "engine/ui/WidgetManager.h"

#include "engine/ui/InputEvents.h"
#include "engine/ui/Widget.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/TestWidgets.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A screen that is never pushed: its manager and widget ownership are what
// the tests use.
class WidgetManagerTest : public ::testing::Test {
protected:
    FakeAppContext app;
    CallLog log;
    TestScreen screen{nullptr};
    WidgetManager& wm = *screen.getWidgetManager();

    LogWidget* add(const std::string& name, int x, int y, int z, int w, int h, bool* deleted = nullptr)
    {
        auto* widget = new LogWidget(name, &log, x, y, z, w, h, deleted);
        screen.addWidget(widget);
        return widget;
    }
    void mouse(int type, int x, int y, int buttons = 0) { wm.onMouse(mouseAt(type, x, y, buttons)); }
};

using CallList = std::vector<std::string>;

} // namespace

TEST_F(WidgetManagerTest, ZeroZGetsHighestPlusOneAndExplicitZIsKept)
{
    LogWidget* a = add("A", 0, 0, 0, 10, 10);
    LogWidget* b = add("B", 0, 0, 0, 10, 10);
    LogWidget* c = add("C", 0, 0, 0, 10, 10);
    EXPECT_EQ(a->getGeometry().z, 1);
    EXPECT_EQ(b->getGeometry().z, 2);
    EXPECT_EQ(c->getGeometry().z, 3);
    LogWidget* d = add("D", 0, 0, 5, 10, 10);
    LogWidget* e = add("E", 0, 0, 0, 10, 10);
    EXPECT_EQ(d->getGeometry().z, 5);
    EXPECT_EQ(e->getGeometry().z, 6);
    EXPECT_EQ(wm.highestZ(), 6);
    EXPECT_EQ(wm.getWidgets(), (std::vector<Widget*>{e, d, c, b, a}));
}

TEST_F(WidgetManagerTest, AmongEqualZTheFirstAddedIsHitFirstAndDrawnLast)
{
    LogWidget* a = add("A", 0, 0, 4, 50, 50);
    LogWidget* b = add("B", 0, 0, 4, 50, 50);
    add("low", 0, 0, 2, 50, 50);
    EXPECT_EQ(wm.widgetAt(10, 10), a);
    log.clear();
    RecordingGraphics g;
    wm.draw(g, &screen);
    EXPECT_EQ(log, (CallList{"low draw", "B draw", "A draw"}));
    // Each widget is drawn with the origin at its corner.
    b->setPosition(7, 9, true);
    g.calls.clear();
    wm.draw(g, &screen);
    EXPECT_EQ(g.calls[4], "translate 7 9");
}

TEST_F(WidgetManagerTest, PressDragOntoAnotherAndReleaseKeepsTheCapture)
{
    LogWidget* a = add("A", 0, 0, 0, 100, 100);
    LogWidget* b = add("B", 200, 0, 0, 100, 100);
    log.clear();
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    mouse(MouseEvent::Move, 210, 10, MouseEvent::Left);
    mouse(MouseEvent::Move, 220, 10, MouseEvent::Left);
    EXPECT_EQ(wm.getDraggedOut(), a);
    mouse(MouseEvent::Release, 220, 10, MouseEvent::Left);
    EXPECT_EQ(log, (CallList{"A press", "A focus", "A leave", "A move", "A leave", "A move", "A release"}));
    EXPECT_EQ(wm.getHovered(), b);
    EXPECT_EQ(wm.getDraggedOut(), nullptr);
}

TEST_F(WidgetManagerTest, DraggingBackOntoTheCapturedWidgetEntersItAgain)
{
    LogWidget* a = add("A", 0, 0, 0, 100, 100);
    add("B", 200, 0, 0, 100, 100);
    log.clear();
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    mouse(MouseEvent::Move, 210, 10, MouseEvent::Left);
    mouse(MouseEvent::Move, 20, 10, MouseEvent::Left);
    mouse(MouseEvent::Release, 20, 10, MouseEvent::Left);
    EXPECT_EQ(log, (CallList{"A press", "A focus", "A leave", "A move", "A enter", "A move", "A release"}));
    EXPECT_EQ(wm.getHovered(), a);
}

TEST_F(WidgetManagerTest, HoverMovesBetweenWidgetsWithoutButtons)
{
    add("A", 0, 0, 0, 100, 100);
    add("B", 200, 0, 0, 100, 100);
    log.clear();
    mouse(MouseEvent::Move, 10, 10);
    mouse(MouseEvent::Move, 11, 10);
    mouse(MouseEvent::Move, 210, 10);
    mouse(MouseEvent::Move, 500, 500);
    EXPECT_EQ(log, (CallList{"A enter", "A move", "A move", "A leave", "B enter", "B move", "B leave"}));
    EXPECT_EQ(wm.getHovered(), nullptr);
}

TEST_F(WidgetManagerTest, DisabledWidgetsAreSkippedByHitTests)
{
    LogWidget* below = add("below", 0, 0, 0, 100, 100);
    LogWidget* top = add("top", 0, 0, 0, 100, 100);
    log.clear();
    top->setEnabled(false);
    EXPECT_EQ(wm.widgetAt(10, 10), below);
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    top->setEnabled(true);
    EXPECT_EQ(wm.widgetAt(10, 10), top);
    // The enable hooks are reachable under both names.
    EXPECT_EQ(log, (CallList{"top disable", "below press", "below focus", "top enable"}));
}

TEST_F(WidgetManagerTest, RemovalDuringUpdateStopsThePass)
{
    bool firstDeleted = false;
    LogWidget* first = add("first", 0, 0, 0, 10, 10, &firstDeleted);
    LogWidget* remover = add("remover", 0, 0, 0, 10, 10);
    add("last", 0, 0, 0, 10, 10);
    remover->onUpdate = [&](ScreenBase* s) { s->safeRemoveWidget(first); };
    log.clear();
    EXPECT_FALSE(wm.update(16, &screen));
    EXPECT_EQ(log, (CallList{"first update", "remover update", "first detached"}));
    EXPECT_FALSE(firstDeleted);
    EXPECT_EQ(wm.getHovered(), nullptr);

    remover->onUpdate = nullptr;
    log.clear();
    screen.update(16);
    EXPECT_TRUE(firstDeleted);
    EXPECT_EQ(log, (CallList{"remover update", "last update"}));
}

TEST_F(WidgetManagerTest, ImmediateSelfRemovalDuringUpdateTouchesNothingAfterwards)
{
    bool deleted = false;
    LogWidget* self = add("self", 0, 0, 0, 10, 10, &deleted);
    add("after", 0, 0, 0, 10, 10);
    self->onUpdate = [self](ScreenBase* s) { s->removeWidget(self); };
    log.clear();
    EXPECT_FALSE(wm.update(16, &screen));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(log, (CallList{"self update", "self detached"}));
    EXPECT_EQ(wm.getWidgets().size(), 1u);
}

TEST_F(WidgetManagerTest, AdditionsDuringUpdateWaitForTheNextPass)
{
    LogWidget* builder = add("builder", 0, 0, 0, 10, 10);
    add("next", 0, 0, 0, 10, 10);
    // Enough additions to move the list's storage several times.
    builder->onUpdate = [this](ScreenBase*) {
        for (int i = 0; i < 100; ++i)
            screen.addWidget(new LogWidget("new", &log, 0, 0, 0, 10, 10));
    };
    log.clear();
    EXPECT_TRUE(wm.update(16, &screen));
    EXPECT_EQ(std::count(log.begin(), log.end(), "new update"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "next update"), 1);

    builder->onUpdate = nullptr;
    log.clear();
    EXPECT_TRUE(wm.update(16, &screen));
    EXPECT_EQ(std::count(log.begin(), log.end(), "new update"), 100);
    EXPECT_EQ(wm.getWidgets().size(), 102u);
}

TEST_F(WidgetManagerTest, LateDrawsFollowTheLayersAndDropInvisibleWidgets)
{
    LogWidget* a = add("A", 0, 0, 0, 10, 10);
    LogWidget* b = add("B", 0, 0, 0, 10, 10);
    LogWidget* hidden = add("hidden", 0, 0, 0, 10, 10);
    LogWidget* d = add("D", 0, 0, 0, 10, 10);
    hidden->setVisible(false);
    a->onDraw = [&] {
        wm.requestLateDraw(a, 5);
        wm.requestLateDraw(b, 1);
        wm.requestLateDraw(hidden, 0);
        wm.requestLateDraw(d, 1);
    };
    log.clear();
    RecordingGraphics g;
    wm.draw(g, &screen);
    EXPECT_EQ(log, (CallList{"A draw", "B draw", "D draw", "B drawLate", "D drawLate", "A drawLate"}));

    // Requests last one frame only.
    a->onDraw = nullptr;
    log.clear();
    wm.draw(g, &screen);
    EXPECT_EQ(log, (CallList{"A draw", "B draw", "D draw"}));
}

TEST_F(WidgetManagerTest, WheelEventsReachNoWidgetAndKeepTheHover)
{
    // Wheel records come at 0, 0: over A, and away from the hovered widget.
    add("A", 0, 0, 0, 100, 100);
    LogWidget* far = add("far", 300, 300, 0, 100, 100);
    mouse(MouseEvent::Move, 350, 350);
    log.clear();
    mouse(MouseEvent::WheelUp, 0, 0);
    mouse(MouseEvent::WheelDown, 0, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(wm.getHovered(), far);
}

TEST_F(WidgetManagerTest, ReleaseHandlerRemovingItsWidgetLeavesNoDanglingHover)
{
    bool deleted = false;
    LogWidget* button = add("button", 0, 0, 0, 100, 100, &deleted);
    button->onRelease = [&](MouseEvent*) { screen.safeRemoveWidget(button); };
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    mouse(MouseEvent::Release, 10, 10, MouseEvent::Left);
    EXPECT_EQ(wm.getHovered(), nullptr);
    EXPECT_EQ(wm.getFocus(), nullptr);
    screen.update(16);
    ASSERT_TRUE(deleted);
    log.clear();
    mouse(MouseEvent::Move, 500, 500);
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    EXPECT_TRUE(log.empty());
}

TEST_F(WidgetManagerTest, PressHandlerDeletingItsWidgetLeavesNoDanglingHoverOrFocus)
{
    bool deleted = false;
    add("below", 0, 0, 0, 100, 100);
    LogWidget* top = add("top", 0, 0, 0, 100, 100, &deleted);
    top->onPress = [&] { screen.removeWidget(top); };
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    ASSERT_TRUE(deleted);
    EXPECT_EQ(wm.getHovered(), nullptr);
    EXPECT_EQ(wm.getFocus(), nullptr);
    screen.update(16);
    log.clear();
    mouse(MouseEvent::Move, 20, 20);
    EXPECT_EQ(log, (CallList{"below enter", "below move"}));
}

TEST_F(WidgetManagerTest, MouseInputIsDroppedAfterARemovalUntilTheNextUpdate)
{
    add("A", 0, 0, 0, 100, 100);
    LogWidget* gone = add("gone", 300, 0, 0, 10, 10);
    screen.safeRemoveWidget(gone);
    log.clear();
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    EXPECT_TRUE(log.empty());
    screen.update(16);
    log.clear();
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    EXPECT_EQ(log, (CallList{"A press", "A focus"}));

    wm.setInputEnabled(false);
    log.clear();
    mouse(MouseEvent::Move, 20, 20);
    EXPECT_TRUE(log.empty());
}

TEST_F(WidgetManagerTest, KeysGoToTheFocusedWidgetWhichFollowsPresses)
{
    LogWidget* a = add("A", 0, 0, 0, 100, 100);
    add("B", 200, 0, 0, 100, 100);
    KeyEvent key;
    key.key = 13;
    log.clear();
    wm.onKey(&key);
    EXPECT_TRUE(log.empty()) << "no widget is focused yet";
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    mouse(MouseEvent::Release, 10, 10, MouseEvent::Left);
    wm.onKey(&key);
    mouse(MouseEvent::Press, 210, 10, MouseEvent::Left);
    wm.onKey(&key);
    // A press does not send the previously hovered widget a leave.
    EXPECT_EQ(log, (CallList{"A press", "A focus", "A release", "A key 13", "B press", "A blur", "B focus",
                             "B key 13"}));
    log.clear();
    wm.setFocus(a);
    screen.removeWidget(a);
    wm.onKey(&key);
    EXPECT_EQ(log, (CallList{"B blur", "A focus", "A blur", "A detached"}));
    EXPECT_EQ(wm.getFocus(), nullptr);
}

TEST_F(WidgetManagerTest, AddedAndRaisedWidgetsTakeThePointerTheyLieUnder)
{
    app.mouse = Point(50, 50);
    LogWidget* a = add("A", 0, 0, 0, 100, 100);
    LogWidget* b = add("B", 0, 0, 0, 100, 100);
    add("elsewhere", 500, 500, 0, 10, 10);
    wm.raiseWidget(a);
    EXPECT_EQ(a->getGeometry().z, 4);
    EXPECT_EQ(wm.getHovered(), a);
    EXPECT_TRUE(wm.isWidgetUnderMouse(a));
    EXPECT_FALSE(wm.isWidgetUnderMouse(b));
    EXPECT_EQ(log, (CallList{"A attached", "A enter", "B attached", "A leave", "B enter", "elsewhere attached",
                             "B leave", "A enter"}));
}

TEST_F(WidgetManagerTest, AddingUnderACapturedDragReleasesTheCapture)
{
    add("background", 0, 0, 0, 1000, 1000);
    LogWidget* a = add("A", 0, 0, 0, 100, 100);
    mouse(MouseEvent::Press, 10, 10, MouseEvent::Left);
    mouse(MouseEvent::Move, 300, 300, MouseEvent::Left);
    ASSERT_EQ(wm.getDraggedOut(), a);
    app.mouse = Point(300, 300);
    log.clear();
    LogWidget* popup = add("popup", 250, 250, 0, 100, 100);
    EXPECT_EQ(log, (CallList{"popup attached", "A leave", "A release", "popup enter"}));
    EXPECT_EQ(wm.getDraggedOut(), nullptr);
    EXPECT_EQ(wm.getHovered(), popup);
}

TEST_F(WidgetManagerTest, NullAndUnmanagedWidgetsAreIgnored)
{
    LogWidget* a = add("A", 0, 0, 0, 10, 10);
    wm.addWidget(nullptr);
    wm.addWidget(a);
    EXPECT_EQ(wm.getWidgets().size(), 1u);
    LogWidget stranger("stranger", &log, 0, 0, 0, 10, 10);
    log.clear();
    wm.removeWidget(&stranger);
    wm.raiseWidget(&stranger);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(wm.hasListChanged());
    wm.removeWidget(nullptr);
    EXPECT_TRUE(wm.hasListChanged());
}

namespace {
struct GeometryWidget : Widget {
    CallList calls;
    void onGeometryChanged(const WidgetGeometry* o, const WidgetGeometry* n) override
    {
        calls.push_back("changed " + std::to_string(o->x) + "->" + std::to_string(n->x));
    }
    void onMoved(const WidgetGeometry*, const WidgetGeometry*) override { calls.push_back("moved"); }
    void onResized(const WidgetGeometry*, const WidgetGeometry*) override { calls.push_back("resized"); }
};
} // namespace

TEST(Widget, GeometrySettersNotifyInTheirOrder)
{
    GeometryWidget w;
    w.setGeometry(WidgetGeometry(1, 2, 3, 4, 5));
    w.setBounds(10, 20, 30, 40);
    EXPECT_EQ(w.getGeometry().z, 3);
    w.setSize(7, 8);
    w.setPosition(11, 12);
    w.setPosition(13, 14, true);
    EXPECT_EQ(w.calls, (CallList{"changed 0->1", "resized", "changed 1->10", "resized", "changed 10->10", "moved",
                                 "changed 10->11"}));
    EXPECT_EQ(w.getGeometry().x, 13);
    EXPECT_TRUE(w.hitTest(13, 14));
    EXPECT_TRUE(w.hitTest(19, 21));
    EXPECT_FALSE(w.hitTest(20, 14));
    EXPECT_FALSE(w.hitTest(13, 22));
}
