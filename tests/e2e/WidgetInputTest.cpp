// Widgets driven by real input: pushed SDL events pass through the
// application's event loop, the screen stack and the widget manager before
// a widget sees them. Hover between overlapping widgets, a drag that ends on
// another widget, keyboard focus of a text field, and a button that takes
// itself off its screen while its release is being dispatched.
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/DraggableImageWidget.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/TextInputWidget.h"
#include "engine/ui/WidgetManager.h"
#include "tests/e2e/EndToEndTest.h"
#include "tests/e2e/ListenerRecorder.h"
#include "tests/e2e/RecordingWidget.h"

namespace {

using Lines = std::vector<std::string>;

const Color kGrey(60, 60, 60);
const Color kRed(200, 40, 40);
const Color kBlue(40, 40, 200);
const Color kGreen(40, 160, 40);

class WidgetInput : public EndToEndTest {
protected:
    // A grey stage with A (100..300) and B (200..400) overlapping in
    // 200..300. A is added first but lies lower, so where they overlap only
    // their depth can give B the pointer.
    void setUpOverlap()
    {
        ASSERT_NO_FATAL_FAILURE(startApp());
        stage = showStage("S", kGrey);
        a = new RecordingWidget("A", log(), WidgetGeometry(100, 100, 40, 200, 200), kRed);
        b = new RecordingWidget("B", log(), WidgetGeometry(200, 200, 50, 200, 200), kBlue);
        stage->addWidget(a);
        stage->addWidget(b);
        run("step\n");
    }

    StageScreen* stage = nullptr;
    RecordingWidget* a = nullptr;
    RecordingWidget* b = nullptr;
};

} // namespace

TEST_F(WidgetInput, ThePointerCrossingTwoOverlappingWidgetsHoversTheNearerOne)
{
    ASSERT_NO_FATAL_FAILURE(setUpOverlap());
    const int from = mark();
    run("mouse move 50 50\nstep\n"
        "mouse move 150 150\nstep\n"   // A only
        "mouse move 250 250\nstep\n"   // both: B is nearer
        "mouse move 350 350\nstep\n"   // B only
        "mouse move 250 260\nstep\n"   // both again
        "mouse move 150 150\nstep\n"   // A only
        "mouse move 50 50\nstep\n");   // neither
    EXPECT_EQ(lines({"A ", "B "}, from),
              (Lines{"A enter", "A move 150,150 buttons 0", "A leave", "B enter", "B move 250,250 buttons 0",
                     "B move 350,350 buttons 0", "B move 250,260 buttons 0", "B leave", "A enter",
                     "A move 150,150 buttons 0", "A leave"}))
        << LOG_TEXT;

    // What is hit is what is drawn on top.
    BmpImage shot = capture("overlap");
    ASSERT_TRUE(shot.ok());
    EXPECT_EQ(shot.at(250, 250), kBlue) << describe(shot.at(250, 250));
    EXPECT_EQ(shot.at(150, 150), kRed) << describe(shot.at(150, 150));
    EXPECT_EQ(shot.at(50, 50), kGrey) << describe(shot.at(50, 50));
}

TEST_F(WidgetInput, ADragFromAReleasedOverBStaysWithAAndLeavesBHovered)
{
    ASSERT_NO_FATAL_FAILURE(setUpOverlap());
    run("mouse move 150 150\nstep\n");
    const int from = mark();
    run("mouse down 150 150\nstep\n"
        "mouse move 300 350\nstep\n"
        "mouse move 350 350\nstep\n"
        "mouse up 350 350\nstep\n");
    EXPECT_EQ(lines({"A ", "B "}, from),
              (Lines{"A press 150,150", "A focus", "A leave", "A move 300,350 buttons 1", "A leave",
                     "A move 350,350 buttons 1", "A release 350,350"}))
        << LOG_TEXT;
    EXPECT_EQ(stage->getWidgetManager()->getHovered(), b);
    EXPECT_EQ(stage->getWidgetManager()->getDraggedOut(), nullptr);

    // B has the pointer now without having heard it: it hears the enter
    // before the next event that reaches it, here a click made without
    // moving. A has nothing more to hear but the loss of the focus.
    const int after = mark();
    run("mouse down 350 350\nstep\nmouse up 350 350\nstep\nmouse move 50 50\nstep\n");
    EXPECT_EQ(lines({"A ", "B "}, after), (Lines{"B enter", "B press 350,350", "A blur", "B focus",
                                                 "B release 350,350", "B leave"}))
        << LOG_TEXT;
}

TEST_F(WidgetInput, AfterADragTheWidgetUnderThePointerHearsItsEnterBeforeItsFirstMove)
{
    ASSERT_NO_FATAL_FAILURE(setUpOverlap());
    run("mouse move 150 150\nstep\nmouse down 150 150\nstep\nmouse move 350 350\nstep\nmouse up 350 350\nstep\n");
    const int after = mark();
    run("mouse move 360 360\nstep\nmouse move 50 50\nstep\n");
    EXPECT_EQ(lines({"A ", "B "}, after), (Lines{"B enter", "B move 360,360 buttons 0", "B leave"})) << LOG_TEXT;

    // Left before it heard anything, it hears nothing at all.
    run("mouse move 150 150\nstep\nmouse down 150 150\nstep\nmouse move 350 350\nstep\nmouse up 350 350\nstep\n");
    const int away = mark();
    run("mouse move 50 50\nstep\n");
    EXPECT_EQ(lines({"A ", "B "}, away), Lines{}) << LOG_TEXT;
}

TEST_F(WidgetInput, ATextFieldTakesTypedKeysOnlyWhileItHasTheFocus)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    StageScreen* s = showStage("S", kGrey);
    ListenerRecorder recorder(log());
    auto* field = new TextInputWidget(&recorder, 20, "", false);
    field->setId(5);
    field->setBounds(100, 400, 300, 40);
    s->addWidget(field);
    auto* other = new RecordingWidget("C", log(), WidgetGeometry(500, 400, 0, 100, 40), kGreen);
    s->addWidget(other);
    run("step\n");

    // Nothing has the focus yet.
    run("key x\nstep\n");
    EXPECT_EQ(field->getText(), "");

    const int from = mark();
    run("mouse click 150 420\nstep\nkey shift+a\nkey b\nstep\nkey backspace\nstep\n");
    EXPECT_EQ(field->getText(), "A");
    EXPECT_EQ(lines({"text "}, from), (Lines{"text 5 'A'", "text 5 'Ab'", "text 5 'A'"})) << LOG_TEXT;

    // Another widget takes the focus, and with it the keys.
    run("mouse click 550 420\nstep\nkey z\nstep\n");
    EXPECT_EQ(field->getText(), "A");
    EXPECT_EQ(lines({"C key"}), (Lines{"C key 122 122"})) << LOG_TEXT;

    // A click on the bare screen takes it from both.
    run("mouse click 800 700\nstep\nkey q\nstep\n");
    EXPECT_EQ(field->getText(), "A");
    EXPECT_EQ(lines({"C key"}).size(), 1u) << LOG_TEXT;
    EXPECT_EQ(lines({"C blur"}).size(), 1u) << LOG_TEXT;

    // Clicked again, the field types on after its text.
    run("mouse click 150 420\nstep\nkey c\nstep\n");
    EXPECT_EQ(field->getText(), "Ac");
}

TEST_F(WidgetInput, AButtonRemovingItselfInItsReleaseHandlerIsGoneAfterThatFrame)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    StageScreen* s = showStage("S", kGrey);
    auto* normal = new GLTexture("content/images/ui/ButtonNormal.png");
    auto* over = new GLTexture("content/images/ui/ButtonOver.png");
    s->getResources()->registerTexture("NORMAL", normal);
    s->getResources()->registerTexture("OVER", over);
    const ButtonDesc desc(ButtonDesc::Look(Color::white(), Color::black(), normal),
                          ButtonDesc::Look(Color::white(), Color::black(), over),
                          ButtonDesc::Look(Color::white(), Color::black(), over),
                          ButtonDesc::Look(Color(128, 128, 128), Color::black(), normal), 50);

    // Below the button lies a widget that gets the pointer once it is gone.
    auto* under = new RecordingWidget("U", log(), WidgetGeometry(280, 280, 0, 200, 100), kGreen);
    s->addWidget(under);
    ListenerRecorder recorder(log());
    QuarnButton* button = createQuarnButton(&recorder, 9, desc, "");
    button->setBounds(300, 300, 150, 37);
    s->addWidget(button);
    recorder.onButtonAction = [s, button](int, int event) {
        if (event == 1) {
            s->safeRemoveWidget(button);
            s->safeRemoveWidget(button);  // a second request changes nothing
        }
    };

    run("mouse move 320 310\nstep 30\n");
    BmpImage before = capture("before");
    EXPECT_TRUE(near(before.at(310, 310), Color(194, 163, 114), 3)) << "hovered look " << describe(before.at(310, 310));

    // The click, and more pointer input in the same frame after it.
    const int from = mark();
    run("mouse click 320 310\nmouse move 330 310\nstep\n");
    EXPECT_EQ(lines({"button "}, from), (Lines{"button 9 0", "button 9 1"})) << LOG_TEXT;
    EXPECT_FALSE(s->getWidgetManager()->contains(button));
    EXPECT_FALSE(s->ownsWidget(button)) << "deleted in the update of the frame of its removal";

    BmpImage after = capture("after");
    EXPECT_EQ(after.at(310, 310), kGreen) << "the button is no longer drawn " << describe(after.at(310, 310));

    // The pointer rests on the widget below: a click there, made without
    // moving, reaches it after the enter it is owed. The button hears nothing.
    const int rest = mark();
    run("mouse down 330 310\nstep\nmouse up 330 310\nstep\n");
    EXPECT_EQ(lines({"U ", "button "}, rest), (Lines{"U enter", "U press 330,310", "U focus", "U release 330,310"}))
        << LOG_TEXT;
    EXPECT_TRUE(driver.isRunning());
}

TEST_F(WidgetInput, ADraggedImageFollowsThePointerAboveTheOthersAndReportsItsDrop)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    StageScreen* s = showStage("S", kGrey);
    auto* picture = new GLTexture("content/images/ui/Draggable.png");
    s->getResources()->registerTexture("BALL", picture);
    ListenerRecorder recorder(log());
    auto* ball = new DraggableImageWidget(picture, &recorder, 11, 100, 400);
    s->addWidget(ball);
    // Added later, so above the ball until the ball is grabbed.
    s->addWidget(new RecordingWidget("W", log(), WidgetGeometry(300, 480, 0, 200, 200), kRed));
    const Color ballBlue(95, 131, 209);  // picture pixel (20, 40)
    run("mouse move 120 440\nstep\n");

    // Grabbed at (20, 40) of the picture, moved in steps and in one long
    // jump that leaves the picture's old place far behind.
    const int from = mark();
    run("mouse down 120 440\nstep\nmouse move 180 470\nstep\nmouse move 240 500\nstep\n"
        "mouse move 560 620\nstep\nmouse move 400 560\nstep\nmouse up 400 560\nstep\n");
    EXPECT_EQ(lines({"simple "}, from), (Lines{"simple 11 0", "simple 11 4"})) << LOG_TEXT;
    EXPECT_EQ(lines({"W "}, from), Lines{}) << "the ball had the pointer all along\n" << LOG_TEXT;
    EXPECT_EQ(ball->getGeometry().x, 380);
    EXPECT_EQ(ball->getGeometry().y, 520);

    BmpImage shot = capture("dropped");
    EXPECT_TRUE(near(shot.at(400, 560), ballBlue, 2)) << "drawn above W " << describe(shot.at(400, 560));
    EXPECT_EQ(shot.at(120, 440), kGrey) << describe(shot.at(120, 440));

    // Dropped: pointer moves no longer carry it.
    run("mouse move 450 600\nstep\n");
    EXPECT_EQ(ball->getGeometry().x, 380);
}
