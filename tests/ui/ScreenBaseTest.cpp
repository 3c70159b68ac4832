#include "engine/ui/ScreenBase.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/ui/MouseListeningWidget.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/FakeScreenStack.h"
#include "tests/ui/TestWidgets.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using CallList = std::vector<std::string>;

class ScreenBaseTest : public ::testing::Test {
protected:
    // Declared first: screens left on the stack log while they are deleted.
    CallLog log;
    FakeScreenStack app;

    TestScreen* showScreen(const std::string& name, bool* deleted = nullptr)
    {
        auto* s = new TestScreen(&log, name, deleted);
        s->show(nullptr);
        return s;
    }
    static int count(const CallLog& l, const std::string& s) { return static_cast<int>(std::count(l.begin(), l.end(), s)); }
};

// Draws the screen's hooks into the graphics log so that their order
// relative to the transitions is visible.
class DrawingScreen : public TestScreen {
public:
    using TestScreen::TestScreen;
    void drawBackground(Graphics& g) override { static_cast<RecordingGraphics&>(g).log("background"); }
    void drawOverlay(Graphics& g) override { static_cast<RecordingGraphics&>(g).log("overlay"); }
};

} // namespace

TEST_F(ScreenBaseTest, ShowLoadsPushesBuildsAndEntersBeforeReturning)
{
    TestScreen* a = showScreen("A");
    log.clear();
    TestScreen* b = showScreen("B");
    EXPECT_EQ(log, (CallList{"B loadResources", "A deactivate", "B build", "B onEntered"}));
    EXPECT_EQ(app.stack, (std::vector<ScreenBase*>{a, b}));
    EXPECT_EQ(b->getState(), ScreenBase::Idle);
    EXPECT_TRUE(b->isActive());
    EXPECT_FALSE(a->isActive());

    log.clear();
    app.closeScreen(b);
    EXPECT_EQ(log, (CallList{"A activate"}));
    EXPECT_TRUE(a->isActive());
}

TEST_F(ScreenBaseTest, TheMouseCatcherCoversTheWindowAboveEarlierWidgets)
{
    auto* s = new TestScreen(&log, "S");
    // Added before enter with z 0: lies below the catcher.
    auto* early = new LogWidget("early", &log, 0, 0, 0, 100, 100);
    s->addWidget(early);
    s->onBuild = [this](TestScreen* screen) { screen->addWidget(new LogWidget("built", &log, 200, 0, 0, 100, 100)); };
    s->show(nullptr);
    WidgetManager* wm = s->getWidgetManager();
    ASSERT_EQ(wm->getWidgets().size(), 3u);
    Widget* catcher = wm->getWidgets()[1];
    EXPECT_NE(dynamic_cast<MouseListeningWidget*>(catcher), nullptr);
    EXPECT_EQ(catcher->getGeometry().z, 2);
    EXPECT_EQ(catcher->getGeometry().w, 1024);
    EXPECT_EQ(catcher->getGeometry().h, 768);

    log.clear();
    s->onMouse(mouseAt(MouseEvent::Press, 10, 10, MouseEvent::Left));
    s->onMouse(mouseAt(MouseEvent::Release, 10, 10, MouseEvent::Left));
    s->onMouse(mouseAt(MouseEvent::Press, 210, 10, MouseEvent::Left));
    EXPECT_EQ(log, (CallList{"S catcher press", "S catcher release", "built press", "built focus"}));
    EXPECT_EQ(count(log, "early press"), 0);
}

TEST_F(ScreenBaseTest, CloseGivesExactlyOneOnClosedInTheNextUpdate)
{
    TestScreen* s = showScreen("S");
    log.clear();
    s->close(5, false);
    EXPECT_EQ(s->getState(), ScreenBase::Leaving);
    EXPECT_EQ(count(log, "S onClosed 5"), 0);
    s->update(16);
    EXPECT_EQ(count(log, "S onClosed 5"), 1);
    EXPECT_EQ(s->getState(), ScreenBase::Idle);
    s->update(16);
    s->update(16);
    EXPECT_EQ(count(log, "S onClosed 5"), 1);
    EXPECT_EQ(s->getResultCode(), 5);
}

TEST_F(ScreenBaseTest, OnClosedMayPopAndDeleteTheScreen)
{
    bool deleted = false;
    TestScreen* below = showScreen("below");
    TestScreen* s = showScreen("S", &deleted);
    s->onClose = [this](TestScreen* self) { app.closeScreen(self); };
    s->close(1000, true);
    app.updateFrame(16);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(app.stack, std::vector<ScreenBase*>{below});
    EXPECT_TRUE(below->isActive());
}

TEST_F(ScreenBaseTest, OnEnteredMayCloseAndOnClosedComesInALaterUpdate)
{
    bool deleted = false;
    auto* s = new TestScreen(&log, "S", &deleted);
    s->setInTransition(new FadeInTransition(100));
    s->onClose = [this](TestScreen* self) { app.closeScreen(self); };
    s->show(nullptr);
    EXPECT_EQ(s->getState(), ScreenBase::Entering);
    FakeAppContext::advance(100);
    s->update(16);  // the fade reaches 0
    s->update(16);  // the fade reports: idle, onEntered
    EXPECT_EQ(count(log, "S onEntered"), 1);
    s->close(3, false);
    ASSERT_FALSE(deleted);
    s->update(16);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(count(log, "S onClosed 3"), 1);
}

TEST_F(ScreenBaseTest, CloseWithDisabledInputStopsWidgetInputOnlyWhenAsked)
{
    TestScreen* s = showScreen("S");
    s->addWidget(new LogWidget("w", &log, 0, 0, 0, 100, 100));
    s->close(1, false);
    log.clear();
    s->onMouse(mouseAt(MouseEvent::Press, 10, 10, MouseEvent::Left));
    EXPECT_EQ(count(log, "w press"), 1);

    s->close(1, true);
    log.clear();
    s->onMouse(mouseAt(MouseEvent::Press, 10, 10, MouseEvent::Left));
    EXPECT_TRUE(log.empty());
}

TEST_F(ScreenBaseTest, FadeOutPlaysBeforeOnClosedAndIsDrawnOverTheContent)
{
    auto* s = new DrawingScreen(&log, "S");
    s->setOutTransition(new FadeOutTransition(200));
    s->show(nullptr);
    RecordingGraphics g;
    s->draw(g);
    EXPECT_EQ(std::count(g.calls.begin(), g.calls.end(), "fillRect 0 0 1024 768 0,0,0,0"), 0)
        << "an idle screen draws no transition";

    s->close(8, true);
    FakeAppContext::advance(200);
    s->update(16);  // alpha reaches 255
    g.calls.clear();
    s->draw(g);
    const auto background = std::find(g.calls.begin(), g.calls.end(), "background");
    const auto black = std::find(g.calls.begin(), g.calls.end(), "fillRect 0 0 1024 768 0,0,0,255");
    ASSERT_NE(black, g.calls.end());
    EXPECT_LT(background, black);
    EXPECT_LT(std::find(g.calls.begin(), g.calls.end(), "overlay"), black);

    s->update(16);  // the fade reports its end
    EXPECT_EQ(count(log, "S onClosed 8"), 0);
    s->update(16);  // the screen notices it
    EXPECT_EQ(count(log, "S onClosed 8"), 1);
    g.calls.clear();
    s->draw(g);
    EXPECT_EQ(std::count(g.calls.begin(), g.calls.end(), "fillRect 0 0 1024 768 0,0,0,255"), 0);
}

TEST_F(ScreenBaseTest, SafeRemovalDeletesInTheNextUpdateAndOnlyOnce)
{
    TestScreen* s = showScreen("S");
    bool deleted = false;
    auto* w = new LogWidget("w", &log, 0, 0, 0, 10, 10, &deleted);
    s->addWidget(w);

    testing::internal::CaptureStdout();
    s->safeRemoveWidget(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    testing::internal::CaptureStdout();
    s->safeRemoveWidget(w);
    s->safeRemoveWidget(w);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(deleted);
    EXPECT_FALSE(s->getWidgetManager()->contains(w));
    EXPECT_TRUE(s->ownsWidget(w));
    size_t lines = 0;
    for (size_t at = out.find("safe remove widget = "); at != std::string::npos;
         at = out.find("safe remove widget = ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1u);

    testing::internal::CaptureStdout();
    s->update(16);
    const std::string flushed = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(s->ownsWidget(w));
    EXPECT_NE(flushed.find("safe widget in list to delete ="), std::string::npos);
    s->update(16);
}

TEST_F(ScreenBaseTest, RemoveWidgetDeletesAtOnceAndForgetsAPendingRemoval)
{
    TestScreen* s = showScreen("S");
    bool deleted = false;
    auto* w = new LogWidget("w", &log, 0, 0, 0, 10, 10, &deleted);
    s->addWidget(w);
    s->safeRemoveWidget(w);
    s->removeWidget(w);
    EXPECT_TRUE(deleted);
    s->update(16);  // must not delete it a second time
    EXPECT_FALSE(s->ownsWidget(w));
}

TEST_F(ScreenBaseTest, RedirectPushesTheOtherScreenWithoutLoadingThisOne)
{
    auto* original = new TestScreen(&log, "original");
    auto* other = new TestScreen(&log, "other");
    original->setRedirectScreen(other);
    original->show(nullptr);
    EXPECT_EQ(log, (CallList{"other build", "other onEntered"}));
    EXPECT_EQ(app.stack, std::vector<ScreenBase*>{other});
    delete original;
}

TEST_F(ScreenBaseTest, DestructionDeletesEveryWidget)
{
    bool screenDeleted = false;
    bool aDeleted = false;
    bool bDeleted = false;
    TestScreen* s = showScreen("S", &screenDeleted);
    s->addWidget(new LogWidget("a", &log, 0, 0, 0, 10, 10, &aDeleted));
    auto* b = new LogWidget("b", &log, 0, 0, 0, 10, 10, &bDeleted);
    s->addWidget(b);
    s->safeRemoveWidget(b);
    testing::internal::CaptureStdout();
    app.closeScreen(s);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(screenDeleted);
    EXPECT_TRUE(aDeleted);
    EXPECT_TRUE(bDeleted);
    EXPECT_NE(out.find("remove all widgets !"), std::string::npos);
}

TEST_F(ScreenBaseTest, FadeInKeepsTheScreenEnteringUntilItReports)
{
    auto* s = new DrawingScreen(&log, "S");
    s->setInTransition(new FadeInTransition(100));
    s->show(nullptr);
    EXPECT_EQ(count(log, "S onEntered"), 0);
    RecordingGraphics g;
    s->draw(g);
    EXPECT_EQ(g.calls.back(), "pop");
    EXPECT_EQ(g.calls[g.calls.size() - 2], "fillRect 0 0 1024 768 0,0,0,255");
    FakeAppContext::advance(100);
    s->update(16);
    EXPECT_EQ(s->getState(), ScreenBase::Entering);
    s->update(16);
    EXPECT_EQ(s->getState(), ScreenBase::Idle);
    EXPECT_EQ(count(log, "S onEntered"), 1);
    s->update(16);
    EXPECT_EQ(count(log, "S onEntered"), 1);
}
