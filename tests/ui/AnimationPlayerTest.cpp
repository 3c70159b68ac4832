// AnimationPlayer and Animation2D without a window: loading, timing of the
// key frames, end reports, ownership between player and screen, and
// listeners that stop or remove animations from inside their end report.
#include "engine/ui/AnimationPlayer.h"

#include "engine/anim/MathFunction.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/Animation2D.h"
#include "engine/ui/AnimationElement2D.h"
#include "engine/ui/KeyFrame.h"
#include "engine/ui/KeyFrameProperties.h"
#include "engine/ui/WidgetManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/AnimationTestSupport.h"
#include "tests/ui/TestWidgets.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

class AnimationPlayerTest : public ::testing::Test {
protected:
    // Destroyed in reverse: the player before the screen that holds its
    // animations, as when a screen owns its player.
    FakeAppContext app;
    CallLog log;
    RecordingAnimationListener listener;
    std::unique_ptr<TestScreen> screen = std::make_unique<TestScreen>(&log);
    AnimationPlayer player{&listener};

    Animation2D* load(int id, const std::string& fixture)
    {
        EXPECT_TRUE(player.loadAnimation(id, animFixture(fixture))) << fixture;
        return player.findAnimation(id);
    }
    // x of the first element after each of `n` screen updates of dt ms.
    std::vector<float> xAfterUpdates(Animation2D* a, int n, int dt)
    {
        std::vector<float> xs;
        for (int i = 0; i < n; ++i) {
            screen->update(dt);
            xs.push_back(a->element(0)->state().x);
        }
        return xs;
    }
    // The update (1-based) in which the first end report arrived; 0 if none.
    int updatesUntilReport(int limit, int dt)
    {
        for (int i = 1; i <= limit; ++i) {
            screen->update(dt);
            if (!listener.finished.empty())
                return i;
        }
        return 0;
    }
    std::size_t managedCount(const Widget* w) const
    {
        const auto& all = screen->getWidgetManager()->getWidgets();
        return static_cast<std::size_t>(std::count(all.begin(), all.end(), w));
    }
};

} // namespace

TEST_F(AnimationPlayerTest, KeyFramesPlayLinearlyAfterTwoSetUpUpdatesAndTheEndIsReportedOnce)
{
    Animation2D* a = load(7, "MoveX.xml");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->getName(), "MoveX");
    EXPECT_EQ(a->getLength(), 1000);
    EXPECT_EQ(a->length(), 1000);
    player.playAnimation(7, 0, 100, 100, screen.get());
    EXPECT_TRUE(screen->ownsWidget(a));
    EXPECT_EQ(managedCount(a), 1u);
    EXPECT_EQ(a->getGeometry().x, 100);
    EXPECT_EQ(a->getGeometry().y, 100);
    EXPECT_EQ(a->getGeometry().w, 200);
    EXPECT_EQ(a->getGeometry().h, 100);
    EXPECT_FALSE(a->isEnabled()) << "an animation takes no input";

    // The setter group ends, then the sequence moves to the first segment;
    // only then does time count.
    const std::vector<float> xs = xAfterUpdates(a, 6, 250);
    const std::vector<float> expected{0, 0, 25, 50, 75, 100};
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_NEAR(xs[i], expected[i], 1e-3) << "update " << i + 1;
    EXPECT_FLOAT_EQ(a->element(0)->state().y, 50.f);
    EXPECT_TRUE(listener.finished.empty()) << "the sequence sees its end one update later";

    screen->update(250);
    EXPECT_EQ(listener.finished, std::vector<int>{7});
    for (int i = 0; i < 10; ++i)
        screen->update(250);
    EXPECT_EQ(listener.finished, std::vector<int>{7});
    EXPECT_FLOAT_EQ(a->element(0)->state().x, 100.f) << "a finished animation stays at its last frame";
    EXPECT_FALSE(a->isRunning());
}

TEST_F(AnimationPlayerTest, ALoopingAnimationRepeatsAndNeverReports)
{
    Animation2D* a = load(3, "MoveXLoop.xml");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isLooping());
    player.playAnimation(3, 0, 0, 0, screen.get());
    const std::vector<float> xs = xAfterUpdates(a, 40, 250);
    EXPECT_TRUE(listener.finished.empty());
    EXPECT_GE(std::count(xs.begin(), xs.end(), 100.f), 5) << "every run reaches the last key frame";
    EXPECT_GE(std::count(xs.begin(), xs.end(), 0.f), 5) << "and starts again from the first";
    EXPECT_TRUE(a->isRunning());
}

TEST_F(AnimationPlayerTest, LoadSetsEveryValueOfTheFirstKeyFrameWithTheAngleNegated)
{
    Animation2D* a = load(1, "Props.xml");
    ASSERT_NE(a, nullptr);
    const AnimationElement2D* e = a->element(0);
    const AnimationElement2D::State& s = e->state();
    EXPECT_FLOAT_EQ(s.x, 10.f);
    EXPECT_FLOAT_EQ(s.y, 20.f);
    EXPECT_FLOAT_EQ(s.z, 3.f);
    EXPECT_FLOAT_EQ(s.scaleX, 50.f);
    EXPECT_FLOAT_EQ(s.scaleY, 200.f);
    EXPECT_FLOAT_EQ(s.angle, -90.f);
    EXPECT_FLOAT_EQ(s.red, 10.f);
    EXPECT_FLOAT_EQ(s.green, 20.f);
    EXPECT_FLOAT_EQ(s.blue, 30.f);
    EXPECT_FLOAT_EQ(s.alpha, 40.f);
    ASSERT_NE(e->getCurrentProperties(), nullptr);
    EXPECT_FLOAT_EQ(e->getCurrentProperties()->angle, -90.f);
    EXPECT_EQ(e->getCurrentProperties()->file, "halfred32.png");
    EXPECT_EQ(e->getLastTimeStamp(), 600);
    EXPECT_EQ(a->getGeometry().x, 0);
    EXPECT_EQ(a->getGeometry().y, 0);
    EXPECT_FALSE(a->isPrepared());
}

TEST_F(AnimationPlayerTest, TheLastKeyFrameIsHeldUntilTheLengthWhateverTheRemainder)
{
    // Key frames at 0 and 600 ms, 100 ms updates: two set-up updates, six
    // for the segment, then one to switch to the wait, the wait itself, and
    // one for the sequence to see its end.
    ClipFolder folder;
    const std::string keys = keyFrameXml(0, 10, 0) + keyFrameXml(600, 70, 0);
    const struct {
        int length;
        int reportUpdate;
    } cases[] = {{1000, 14}, {600, 9}, {500, 11}};
    int id = 0;
    for (const auto& c : cases) {
        listener.finished.clear();
        const std::string path = folder.write("hold" + std::to_string(c.length) + ".xml",
                                              clipXml(c.length, false, "red32.png", keys));
        ASSERT_TRUE(player.loadAnimation(++id, path));
        player.playAnimation(id, 0, 0, 0, screen.get());
        EXPECT_EQ(updatesUntilReport(30, 100), c.reportUpdate) << "length " << c.length;
        EXPECT_FLOAT_EQ(player.findAnimation(id)->element(0)->state().x, 70.f);
        player.removeAnimation(id, screen.get());
    }
}

TEST_F(AnimationPlayerTest, DrawOrderIsTheWholeNumberDepthAtLoadInFileOrderAmongEquals)
{
    Animation2D* a = load(2, "ZOrder.xml");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->elementCount(), 3u);
    EXPECT_EQ(a->element(0)->getFile(), "nothing.png");
    EXPECT_EQ(a->element(1)->getFile(), "red32.png") << "2.7 and 2.2 both count as 2";
    EXPECT_EQ(a->element(2)->getFile(), "blue32.png");
    EXPECT_EQ(a->element(0)->getTexture(), nullptr) << "objects of other types get no texture";
    EXPECT_NE(a->element(1)->getTexture(), nullptr);

    player.playAnimation(2, 10, 0, 0, screen.get());
    for (int i = 0; i < 10; ++i)
        screen->update(50);
    ASSERT_EQ(listener.finished, std::vector<int>{2});
    EXPECT_EQ(a->getZOffset(), 10);
    EXPECT_FLOAT_EQ(a->element(1)->state().z, 12.7f) << "z comes from the first key frame plus the offset only";
    EXPECT_FLOAT_EQ(a->element(2)->state().z, 12.2f);
    EXPECT_EQ(a->element(1)->getFile(), "red32.png");

    // Only the two images are drawn.
    RecordingGraphics g;
    screen->draw(g);
    EXPECT_EQ(std::count(g.calls.begin(), g.calls.end(), "drawImage 0 0 255,255,255,255"), 2);
}

TEST_F(AnimationPlayerTest, ASecondKeyFrameAtATakenTimeIsIgnored)
{
    Animation2D* a = load(4, "DuplicateTime.xml");
    ASSERT_NE(a, nullptr);
    const AnimationElement2D* e = a->element(0);
    EXPECT_EQ(e->keyFrameCount(), 3u);
    const KeyFrame* k = e->nextKeyFrame(0);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->getTimeStamp(), 500);
    ASSERT_NE(k->imageProperties(), nullptr);
    EXPECT_FLOAT_EQ(k->imageProperties()->x, 50.f);

    player.playAnimation(4, 0, 0, 0, screen.get());
    const std::vector<float> xs = xAfterUpdates(a, 8, 250);
    // 0-500: 0 -> 50; one update to switch; 500-1000: 50 -> 100.
    const std::vector<float> expected{0, 0, 25, 50, 50, 75, 100, 100};
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_NEAR(xs[i], expected[i], 1e-3) << "update " << i + 1;
}

TEST_F(AnimationPlayerTest, KeyFramesCarryTheirOwnCopyOfTheNamedInterpolator)
{
    MathFunction* linear = player.findInterpolator(0);
    ASSERT_NE(linear, nullptr);
    EXPECT_FLOAT_EQ(linear->evaluate(10.f), 6.f);
    EXPECT_EQ(player.findInterpolator(5), nullptr);

    ClipFolder folder;
    const std::string path = folder.write(
        "i.xml", clipXml(100, false, "red32.png",
                         keyFrameXml(0, 0, 0) + "<KeyFrame TimeStamp=\"50\" TypeInterpolator=\"5\" Type=\"1\" />"));
    ASSERT_TRUE(player.loadAnimation(1, path));
    const AnimationElement2D* e = player.findAnimation(1)->element(0);
    const KeyFrame* first = e->nextKeyFrame(-1);
    ASSERT_NE(first->getInterpolator(), nullptr);
    EXPECT_NE(first->getInterpolator(), linear);
    EXPECT_FLOAT_EQ(first->getInterpolator()->evaluate(10.f), 6.f);
    const KeyFrame* second = e->nextKeyFrame(0);
    EXPECT_EQ(second->getInterpolator(), nullptr) << "id 5 is not in the table";
    EXPECT_EQ(second->getProperties(), nullptr);

    player.addInterpolator(linear->clone(), 5);
    ASSERT_TRUE(player.loadAnimation(2, path));
    EXPECT_NE(player.findAnimation(2)->element(0)->nextKeyFrame(0)->getInterpolator(), nullptr);
}

TEST_F(AnimationPlayerTest, AFailedLoadLeavesTheIdUnloadedAndItsOperationsDoNothing)
{
    const int errors = errorCount();
    EXPECT_FALSE(player.loadAnimation(9, animFixture("NoScreen.xml")));
    EXPECT_FALSE(player.loadAnimation(9, animFixture("Absent.xml")));
    EXPECT_EQ(errorCount() - errors, 3) << "one line per failure, plus the reader's for the missing file";
    EXPECT_EQ(player.findAnimation(9), nullptr);
    player.playAnimation(9, 0, 0, 0, screen.get());
    player.restartAnimation(9, 0);
    player.stopAnimation(9);
    player.pauseAnimation(9);
    player.moveAnimation(9, 1, 1);
    player.removeAnimation(9, screen.get());
    EXPECT_TRUE(screen->getWidgetManager()->getWidgets().empty());
}

TEST_F(AnimationPlayerTest, LoadingALoadedIdAgainKeepsItAndReadsNothing)
{
    Animation2D* a = load(1, "MoveX.xml");
    const int errors = errorCount();
    EXPECT_TRUE(player.loadAnimation(1, animFixture("DoesNotExist.xml")));
    EXPECT_EQ(errorCount(), errors) << "the second path is not opened";
    EXPECT_EQ(player.findAnimation(1), a);
    EXPECT_EQ(a->getPath(), animFixture("MoveX.xml"));
}

TEST_F(AnimationPlayerTest, AnAnimationWithoutKeyFramesEndsAtItsFirstUpdateUnlessItLoops)
{
    load(5, "NoKeys.xml");
    player.playAnimation(5, 0, 0, 0, screen.get());
    EXPECT_TRUE(listener.finished.empty()) << "not from inside play";
    screen->update(16);
    EXPECT_EQ(listener.finished, std::vector<int>{5});
    screen->update(16);
    EXPECT_EQ(listener.finished, std::vector<int>{5});

    // Played again: reported again.
    player.playAnimation(5, 0, 0, 0, screen.get());
    screen->update(16);
    EXPECT_EQ(listener.finished, (std::vector<int>{5, 5}));

    ClipFolder folder;
    ASSERT_TRUE(player.loadAnimation(6, folder.write("loop.xml", clipXml(300, true, "red32.png", ""))));
    player.playAnimation(6, 0, 0, 0, screen.get());
    for (int i = 0; i < 5; ++i)
        screen->update(100);
    EXPECT_EQ(listener.finished, (std::vector<int>{5, 5}));
}

TEST_F(AnimationPlayerTest, AnAnimationThatEndsAsItStartsReportsAtTheNextUpdateNotInsidePlay)
{
    // One key frame without image values at the length: an empty sequence.
    ClipFolder folder;
    ASSERT_TRUE(player.loadAnimation(
        8, folder.write("e.xml", clipXml(0, false, "red32.png",
                                         "<KeyFrame TimeStamp=\"0\" TypeInterpolator=\"0\" Type=\"1\" />"))));
    // Removing the animation from its report must not pull it from under
    // the play that started it.
    listener.then = [&](int id) { player.removeAnimation(id, screen.get()); };
    player.playAnimation(8, 0, 0, 0, screen.get());
    EXPECT_TRUE(listener.finished.empty());
    screen->update(16);
    EXPECT_EQ(listener.finished, std::vector<int>{8});
    EXPECT_EQ(player.findAnimation(8), nullptr);
}

TEST_F(AnimationPlayerTest, PlayingAnAnimationAlreadyOnAScreenRestartsAndMovesItOnly)
{
    Animation2D* a = load(1, "MoveX.xml");
    player.playAnimation(1, 0, 0, 0, screen.get());
    player.playAnimation(1, 0, 50, 60, screen.get());
    EXPECT_EQ(managedCount(a), 1u);
    EXPECT_EQ(a->getGeometry().x, 50);
    EXPECT_EQ(a->getGeometry().y, 60);

    for (int i = 0; i < 8; ++i)
        screen->update(250);
    ASSERT_EQ(listener.finished, std::vector<int>{1});
    // A finished animation plays from its start again.
    player.playAnimation(1, 0, 5, 5, screen.get());
    EXPECT_FLOAT_EQ(a->element(0)->state().x, 0.f);
    EXPECT_EQ(managedCount(a), 1u);
    for (int i = 0; i < 8; ++i)
        screen->update(250);
    EXPECT_EQ(listener.finished, (std::vector<int>{1, 1}));

    // Named another screen, it stays on its own.
    TestScreen other(&log, "other");
    player.playAnimation(1, 0, 7, 8, &other);
    EXPECT_EQ(a->getHostScreen(), screen.get());
    EXPECT_EQ(managedCount(a), 1u);
    EXPECT_TRUE(other.getWidgetManager()->getWidgets().empty());
    EXPECT_EQ(a->getGeometry().x, 7);
    // The screen deletes it once, at the end of the test.
}

TEST_F(AnimationPlayerTest, StoppingAndRemovingFromInsideTheEndReportIsSafe)
{
    // What a logo sequence does when its logo has played.
    Animation2D* a = load(1, "MoveX.xml");
    listener.then = [&](int id) {
        player.stopAnimation(id);
        player.removeAnimation(id, screen.get());
    };
    player.playAnimation(1, 0, 0, 0, screen.get());
    for (int i = 0; i < 7; ++i)
        screen->update(250);
    EXPECT_EQ(listener.finished, std::vector<int>{1});
    EXPECT_EQ(player.findAnimation(1), nullptr);
    EXPECT_EQ(managedCount(a), 0u);
    EXPECT_FALSE(screen->ownsWidget(a)) << "deleted at the end of the update that removed it";
}

TEST_F(AnimationPlayerTest, StopThenReplayFromInsideTheEndReportStartsAfresh)
{
    Animation2D* a = load(1, "MoveX.xml");
    listener.then = [&](int id) {
        if (listener.finished.size() == 1) {
            player.stopAnimation(id);
            player.playAnimation(id, 0, 0, 0, screen.get());
        }
    };
    player.playAnimation(1, 0, 0, 0, screen.get());
    for (int i = 0; i < 7; ++i)
        screen->update(250);
    ASSERT_EQ(listener.finished, std::vector<int>{1});
    EXPECT_TRUE(a->isRunning());
    EXPECT_FLOAT_EQ(a->element(0)->state().x, 0.f);
    // The new run gets no time in the update that started it.
    const std::vector<float> xs = xAfterUpdates(a, 3, 250);
    EXPECT_NEAR(xs[2], 25.f, 1e-3);
}

TEST_F(AnimationPlayerTest, StopReturnsToTheFirstKeyFrameAndPauseFreezes)
{
    Animation2D* a = load(1, "MoveX.xml");
    player.playAnimation(1, 0, 0, 0, screen.get());
    xAfterUpdates(a, 4, 250);
    EXPECT_NEAR(a->element(0)->state().x, 50.f, 1e-3);

    player.pauseAnimation(1);
    EXPECT_TRUE(a->isPaused());
    xAfterUpdates(a, 3, 250);
    EXPECT_NEAR(a->element(0)->state().x, 50.f, 1e-3);
    player.resumeAnimation(1);
    xAfterUpdates(a, 1, 250);
    EXPECT_NEAR(a->element(0)->state().x, 75.f, 1e-3);

    player.stopAnimation(1);
    EXPECT_FALSE(a->isPrepared());
    EXPECT_EQ(a->actionCount(), 0u);
    EXPECT_FLOAT_EQ(a->element(0)->state().x, 0.f);
    xAfterUpdates(a, 5, 250);
    EXPECT_FLOAT_EQ(a->element(0)->state().x, 0.f) << "stopped";
    EXPECT_TRUE(listener.finished.empty());
    EXPECT_TRUE(screen->ownsWidget(a)) << "the widget stays where it is";

    player.moveAnimation(1, 0, 0);
    player.restartAnimation(1, 0);
    EXPECT_TRUE(a->isPrepared());
    EXPECT_EQ(a->actionCount(), 1u);
}

TEST_F(AnimationPlayerTest, MoveAndRemoveFollowTheirConditions)
{
    Animation2D* a = load(1, "MoveX.xml");
    player.moveAnimation(1, 30, 40);
    EXPECT_EQ(a->getGeometry().x, 0) << "not prepared yet";
    player.playAnimation(1, 0, 10, 10, screen.get());
    player.moveAnimation(1, 30, 40);
    EXPECT_EQ(a->getGeometry().x, 30);
    EXPECT_EQ(a->getGeometry().y, 40);

    player.removeAnimation(1, nullptr);
    EXPECT_EQ(player.findAnimation(1), a) << "a null screen leaves it";
    EXPECT_EQ(managedCount(a), 1u);

    // Removed through the screen that holds it, whatever screen is named.
    TestScreen other(&log, "other");
    player.removeAnimation(1, &other);
    EXPECT_EQ(player.findAnimation(1), nullptr);
    EXPECT_EQ(managedCount(a), 0u);
    screen->update(16);
    EXPECT_FALSE(screen->ownsWidget(a));

    // One never played is the player's and goes at once.
    load(2, "MoveX.xml");
    player.removeAnimation(2, screen.get());
    EXPECT_EQ(player.findAnimation(2), nullptr);
}

// The widget's draw resets the transform the manager set up and places each
// element from the widget's x and y; drawElements keeps the caller's
// transform.
TEST_F(AnimationPlayerTest, DrawingPlacesEachImageAtTheWidgetPlusItsPositionOnlyWhileManaged)
{
    Animation2D* a = load(1, "MoveX.xml");
    RecordingGraphics offScreen;
    a->draw(offScreen, nullptr);
    a->drawElements(offScreen);
    EXPECT_TRUE(offScreen.calls.empty());

    player.playAnimation(1, 0, 100, 100, screen.get());
    xAfterUpdates(a, 4, 250);  // x 50, y 50
    RecordingGraphics g;
    screen->draw(g);
    // The manager moves the origin to the widget, the animation drops that
    // and puts the widget's position back; the element adds its own
    // position and half its 32 x 32 picture, then steps back for drawing.
    const std::vector<std::string> expected{"translate 100 100", "resetTransform", "push", "translate 166 166",
                                            "translate -16 -16", "drawImage 0 0 255,255,255,255", "pop"};
    auto at = std::search(g.calls.begin(), g.calls.end(), expected.begin(), expected.end());
    EXPECT_NE(at, g.calls.end()) << ::testing::PrintToString(g.calls);
    EXPECT_EQ(std::count(g.calls.begin(), g.calls.end(), "resetTransform"), 1);

    RecordingGraphics own;
    a->drawElements(own);
    EXPECT_EQ(own.calls, (std::vector<std::string>{"push", "translate 166 166", "translate -16 -16",
                                                   "drawImage 0 0 255,255,255,255", "pop"}));
}

TEST_F(AnimationPlayerTest, ADestroyedPlayerLeavesItsPlacedAnimationsInert)
{
    auto own = std::make_unique<AnimationPlayer>(&listener);
    ASSERT_TRUE(own->loadAnimation(1, animFixture("MoveX.xml")));
    ASSERT_TRUE(own->loadAnimation(2, animFixture("MoveX.xml")));  // never played: deleted with the player
    Animation2D* a = own->findAnimation(1);
    own->playAnimation(1, 0, 0, 0, screen.get());
    own.reset();
    EXPECT_EQ(a->getPlayer(), nullptr);
    EXPECT_EQ(a->element(0)->getTexture(), nullptr) << "its textures went with the player";
    RecordingGraphics g;
    screen->draw(g);
    EXPECT_EQ(std::count(g.calls.begin(), g.calls.end(), "drawImage 0 0 255,255,255,255"), 0);
    for (int i = 0; i < 10; ++i)
        screen->update(250);
    EXPECT_TRUE(listener.finished.empty());
    screen.reset();  // deletes the animation, which must not call the player
}

TEST_F(AnimationPlayerTest, AnAnimationDeletedByItsScreenLeavesThePlayer)
{
    Animation2D* a = load(1, "MoveX.xml");
    player.playAnimation(1, 0, 0, 0, screen.get());
    ASSERT_EQ(player.findAnimation(1), a);
    screen->removeAllWidgets();
    EXPECT_EQ(player.findAnimation(1), nullptr);
    ASSERT_TRUE(player.loadAnimation(1, animFixture("MoveX.xml"))) << "the id can be loaded again";
}

namespace {

// A widget that opens and closes through two clips of its own player, the
// way a message dialog does: the opening clip plays when it is attached; at
// its end the widget closes at once (stops and removes it, plays the closing
// clip); at the closing clip's end it tells its owner and takes itself off
// the screen, and taking it off stops and removes both clips.
class ClosingProbe : public Widget, public AnimationPlayerListener {
public:
    static constexpr int Open = 790790;
    static constexpr int Close = 790791;

    ClosingProbe(ScreenBase* screen_, bool removeAtOnce_, int* closed_, bool* deleted_)
        : screen(screen_), removeAtOnce(removeAtOnce_), closed(closed_), deleted(deleted_)
    {
        geometry = WidgetGeometry(0, 0, 0, 1024, 768);
        EXPECT_TRUE(player.loadAnimation(Open, "content/animations/UniversalDialog/MessageDialogStart.xml"));
        EXPECT_TRUE(player.loadAnimation(Close, "content/animations/UniversalDialog/MessageDialogClose.xml"));
    }
    ~ClosingProbe() override { *deleted = true; }

    void onAttached() override { player.playAnimation(Open, 10, 200, 150, screen); }
    void onDetached() override
    {
        for (int id : {Open, Close}) {
            player.stopAnimation(id);
            player.removeAnimation(id, screen);
        }
    }
    void onAnimationFinished(int32_t id) override
    {
        if (id == Open) {
            player.stopAnimation(Open);
            player.removeAnimation(Open, screen);
            player.playAnimation(Close, 10, 200, 150, screen);
            return;
        }
        ++*closed;
        if (removeAtOnce)
            screen->removeWidget(this);  // deletes this widget and its player now
        else
            screen->safeRemoveWidget(this);
    }

    AnimationPlayer player{this};

private:
    ScreenBase* screen;
    bool removeAtOnce;
    int* closed;
    bool* deleted;
};

} // namespace

TEST_F(AnimationPlayerTest, ADialogClosingFromItsClosingClipsEndReportCleansUp)
{
    for (bool removeAtOnce : {false, true}) {
        int closed = 0;
        bool deleted = false;
        screen->addWidget(new ClosingProbe(screen.get(), removeAtOnce, &closed, &deleted));
        for (int i = 0; i < 60 && !deleted; ++i)
            screen->update(16);
        screen->update(16);
        EXPECT_EQ(closed, 1) << "remove at once: " << removeAtOnce;
        EXPECT_TRUE(deleted);
        // Both clips were taken off and deleted; nothing is left.
        EXPECT_TRUE(screen->getWidgetManager()->getWidgets().empty());
        for (int i = 0; i < 5; ++i)
            screen->update(16);
        EXPECT_EQ(closed, 1);
    }
}

namespace {

// An application that keeps extra resource managers, as the real one does.
class ManagerApp : public FakeAppContext {
public:
    ResourceManager* createResourceManager(int& index) override
    {
        index = static_cast<int>(managers.size());
        managers.push_back(std::make_unique<ResourceManager>());
        return managers.back().get();
    }
    void destroyResourceManager(int index) override
    {
        destroyed.push_back(index);
        managers[static_cast<std::size_t>(index)].reset();
    }

    std::vector<std::unique_ptr<ResourceManager>> managers;
    std::vector<int> destroyed;
};

} // namespace

TEST(AnimationPlayerResources, TexturesAreSharedUnderTheirFullPathInTheApplicationsManager)
{
    ManagerApp app;
    app.managers.emplace_back();  // slot 0 taken by somebody else
    {
        AnimationPlayer player;
        ASSERT_EQ(app.managers.size(), 2u);
        EXPECT_EQ(player.getResources(), app.managers[1].get());
        ASSERT_TRUE(player.loadAnimation(1, animFixture("MoveX.xml")));
        ASSERT_TRUE(player.loadAnimation(2, animFixture("DuplicateTime.xml")));
        GLTexture* texture = player.getResources()->findTexture(animFixture("red32.png"));
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(player.findAnimation(1)->element(0)->getTexture(), texture);
        EXPECT_EQ(player.findAnimation(2)->element(0)->getTexture(), texture) << "one texture per path";
    }
    EXPECT_EQ(app.destroyed, std::vector<int>{1});
}

TEST(AnimationPlayerResources, WithoutAnApplicationThePlayerKeepsItsOwnManager)
{
    ASSERT_EQ(appContext(), nullptr);
    AnimationPlayer player;
    ASSERT_NE(player.getResources(), nullptr);
    ASSERT_TRUE(player.loadAnimation(1, animFixture("MoveX.xml")));
    EXPECT_NE(player.getResources()->findTexture(animFixture("red32.png")), nullptr);
}
