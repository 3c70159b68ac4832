// Message dialogs opened by a key on a screen and answered with the mouse,
// all through the driver: the frame read back while a dialog is open shows
// the dimmed screen, the panel and the buttons; a click on a button tells the
// listener once, after the close animation, and the frame afterwards shows
// the screen alone again.
#include "engine/gfx/AngelFontGL.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/MessageDialogDesc.h"
#include "engine/ui/MessageDialogSimple.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/WidgetManager.h"
#include "tests/e2e/EndToEndTest.h"
#include "tests/e2e/ListenerRecorder.h"
#include "tests/e2e/RecordingWidget.h"

#include <functional>

namespace {

using Lines = std::vector<std::string>;

const Color kBelow(40, 80, 160);
const Color kDimmed(20, 40, 80);
const Color kUnder(200, 200, 40);
// The panel picture's frame and face, and the button picture at (10, 10).
const Color kPanelFrame(40, 30, 22);
const Color kPanelFace(74, 56, 40);
const Color kButtonPicture(157, 136, 103);
// Where the panel and the buttons are put.
const int kPanelX = 256, kPanelY = 256;
const int kYesX = 328, kNoX = 498, kOkX = 437, kButtonY = 444;
const int kDialogId = 42;

class Dialogs : public EndToEndTest {
protected:
    void SetUp() override
    {
        EndToEndTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(startApp());
        stage = showStage("S", kBelow);
        ResourceManager* res = stage->getResources();
        auto* text = new AngelFontGL("content/fonts/Times24NoEff.fnt");
        auto* title = new AngelFontGL("content/fonts/Times24.fnt");
        auto* captions = new AngelFontGL("content/fonts/Times16.fnt");
        res->registerFont("TEXT", text);
        res->registerFont("TITLE", title);
        res->registerFont("CAPTIONS", captions);
        auto* normal = new GLTexture("content/images/ui/ButtonNormal.png");
        auto* over = new GLTexture("content/images/ui/ButtonOver.png");
        res->registerTexture("NORMAL", normal);
        res->registerTexture("OVER", over);

        desc.openAnimation = "content/animations/UniversalDialog/MessageDialogStart.xml";
        desc.closeAnimation = "content/animations/UniversalDialog/MessageDialogClose.xml";
        desc.text = "Do you really want to leave the game?";
        desc.title = "Exit game";
        desc.firstCaption = "YES";
        desc.secondCaption = "NO";
        desc.textAlignment = 2;
        desc.textFont = text;
        desc.titleFont = title;
        desc.textBox = WidgetGeometry(46, 71, 0, 404, 133);
        desc.x = kPanelX;
        desc.y = kPanelY;
        desc.firstButtonX = kYesX;
        desc.firstButtonY = kButtonY;
        desc.secondButtonX = kNoX;
        desc.secondButtonY = kButtonY;
        desc.buttonNormal = normal;
        desc.buttonOver = over;
        desc.buttonFont = captions;

        // A widget of the screen, under where the dialog will be.
        stage->addWidget(new RecordingWidget("U", log(), WidgetGeometry(40, 40, 0, 60, 60), kUnder));
        // Any key opens the dialog that `make` builds (once).
        stage->onKeyAction = [this](ProbeScreen& self) {
            if (!dialog && make) {
                dialog = make();
                self.addWidget(dialog);
            }
        };
        run("step\n");
    }

    // Opens the dialog with a key and runs until its contents are shown.
    void open(std::function<MessageDialogSimple*()> maker)
    {
        make = std::move(maker);
        run("key d\nstep\n");
        ASSERT_NE(dialog, nullptr) << LOG_TEXT;
        ASSERT_TRUE(stepUntil([this] { return dialog->isContentsShown(); })) << LOG_TEXT;
        // The open animation lasts 300 ms; its end builds the contents.
        EXPECT_GE(driver.frame() - openFrame(), 25u) << "opened without its animation";
    }

    uint64_t openFrame()
    {
        const int at = log().find("S key 100 0 100 100 mods 0");
        return at < 0 ? 0 : log().entries()[static_cast<size_t>(at)].frame;
    }

    // The dimmed screen, the panel and the buttons at `buttonXs`.
    void expectOpenFrame(const BmpImage& shot, const std::vector<int>& buttonXs)
    {
        ASSERT_TRUE(shot.ok());
        EXPECT_TRUE(near(shot.at(20, 700), kDimmed, 3)) << "dim " << describe(shot.at(20, 700));
        EXPECT_TRUE(near(shot.at(1000, 740), kDimmed, 3)) << "dim " << describe(shot.at(1000, 740));
        EXPECT_TRUE(near(shot.at(50, 50), Color(100, 100, 20), 3)) << "the widget below is dimmed too "
                                                                    << describe(shot.at(50, 50));
        EXPECT_TRUE(near(shot.at(kPanelX + 10, kPanelY + 10), kPanelFrame)) << describe(shot.at(kPanelX + 10, kPanelY + 10));
        EXPECT_TRUE(near(shot.at(kPanelX + 20, kPanelY + 200), kPanelFace)) << describe(shot.at(kPanelX + 20, kPanelY + 200));
        for (int x : buttonXs)
            EXPECT_TRUE(near(shot.at(x + 10, kButtonY + 10), kButtonPicture))
                << "button at " << x << " " << describe(shot.at(x + 10, kButtonY + 10));
        // Title, text and captions are drawn in white on the panel.
        int white = 0;
        for (int y = kPanelY; y < kPanelY + 256; ++y)
            for (int x = kPanelX; x < kPanelX + 512; ++x) {
                const Color c = shot.at(x, y);
                white += c.r > 240 && c.g > 240 && c.b > 240;
            }
        EXPECT_GT(white, 100);
    }

    // The screen alone: no dim, no panel, no buttons.
    void expectClosedFrame(const BmpImage& shot)
    {
        ASSERT_TRUE(shot.ok());
        EXPECT_EQ(shot.at(20, 700), kBelow) << describe(shot.at(20, 700));
        EXPECT_EQ(shot.at(50, 50), kUnder) << describe(shot.at(50, 50));
        EXPECT_EQ(shot.at(kPanelX + 10, kPanelY + 10), kBelow) << describe(shot.at(kPanelX + 10, kPanelY + 10));
        EXPECT_EQ(shot.at(kPanelX + 20, kPanelY + 200), kBelow) << describe(shot.at(kPanelX + 20, kPanelY + 200));
        for (int x : {kYesX, kNoX, kOkX})
            EXPECT_EQ(shot.at(x + 10, kButtonY + 10), kBelow) << describe(shot.at(x + 10, kButtonY + 10));
    }

    // Clicks at (x, y) and runs until `line` is in the log; returns the
    // number of frames from the click to it.
    int clickAndWaitFor(int x, int y, const std::string& line)
    {
        const std::string at = std::to_string(x) + " " + std::to_string(y);
        run("mouse move " + at + "\nstep\nmouse down " + at + "\nstep\nmouse up " + at + "\nstep\n");
        const uint64_t clicked = driver.frame();
        if (!stepUntil([&] { return log().find(line) >= 0; }))
            return -1;
        return static_cast<int>(static_cast<uint64_t>(log().frameOf(line)) - clicked);
    }

    // The answer and the end: the dialog and its buttons leave the screen;
    // later clicks there reach the screen's own widgets and nothing else.
    void expectGoneAfter(const std::string& line)
    {
        run("step 3\n");
        EXPECT_EQ(count(line), 1) << LOG_TEXT;
        EXPECT_FALSE(stage->ownsWidget(dialog));
        for (Widget* w : stage->getWidgetManager()->getWidgets())
            EXPECT_EQ(dynamic_cast<SimpleImageButton*>(w), nullptr) << "a dialog button is left on the screen";
        ASSERT_NO_FATAL_FAILURE(expectClosedFrame(capture("closed")));

        const int from = mark();
        run("mouse click 340 460\nstep\nmouse click 510 460\nstep\nmouse click 450 460\nstep\n"
            "mouse click 60 60\nstep\n");
        EXPECT_EQ(lines({"answer ", "closed "}, from), Lines{}) << LOG_TEXT;
        EXPECT_GE(log().find("U press 60,60", from), 0) << LOG_TEXT;
    }

    StageScreen* stage = nullptr;
    MessageDialogDesc desc;
    ListenerRecorder recorder{log()};
    std::function<MessageDialogSimple*()> make;
    // Owned by the stage once added; compared only after it is deleted.
    MessageDialogSimple* dialog = nullptr;
};

} // namespace

TEST_F(Dialogs, YesAnswersOnceAfterTheCloseAnimationAndTheDialogIsGone)
{
    ASSERT_NO_FATAL_FAILURE(open([this] { return new MessageQuestionDialogSimple(desc, &recorder, kDialogId); }));
    ASSERT_NO_FATAL_FAILURE(expectOpenFrame(capture("open"), {kYesX, kNoX}));

    // The dialog takes the clicks meant for the screen below.
    run("mouse click 60 60\nstep\n");
    EXPECT_LT(log().find("U press 60,60"), 0) << LOG_TEXT;

    const int frames = clickAndWaitFor(kYesX + 12, kButtonY + 16, "answer 42 1");
    ASSERT_GE(frames, 0) << LOG_TEXT;
    EXPECT_GE(frames, 25) << "answered before the 300 ms close animation played";
    EXPECT_EQ(lines({"answer "}), Lines{"answer 42 1"}) << LOG_TEXT;
    ASSERT_NO_FATAL_FAILURE(expectGoneAfter("answer 42 1"));
}

TEST_F(Dialogs, NoAnswersOnceAfterTheCloseAnimationAndTheDialogIsGone)
{
    ASSERT_NO_FATAL_FAILURE(open([this] { return new MessageQuestionDialogSimple(desc, kDialogId, &recorder); }));
    ASSERT_NO_FATAL_FAILURE(expectOpenFrame(capture("open"), {kYesX, kNoX}));

    const int frames = clickAndWaitFor(kNoX + 12, kButtonY + 16, "answer 42 0");
    ASSERT_GE(frames, 0) << LOG_TEXT;
    EXPECT_GE(frames, 25);
    EXPECT_EQ(lines({"answer "}), Lines{"answer 42 0"}) << LOG_TEXT;
    ASSERT_NO_FATAL_FAILURE(expectGoneAfter("answer 42 0"));
}

TEST_F(Dialogs, OkClosesAMessageDialogAndReportsOnce)
{
    desc.title = "Note";
    desc.text = "The game has been saved.";
    desc.firstCaption = "OK";
    desc.firstButtonX = kOkX;
    desc.secondButtonX = -1;
    ASSERT_NO_FATAL_FAILURE(open([this] { return new MessageDialogSimple(desc, &recorder, kDialogId); }));
    BmpImage shot = capture("open");
    ASSERT_NO_FATAL_FAILURE(expectOpenFrame(shot, {kOkX}));
    EXPECT_TRUE(near(shot.at(kYesX + 10, kButtonY + 10), kPanelFace)) << "only one button "
                                                                      << describe(shot.at(kYesX + 10, kButtonY + 10));

    const int frames = clickAndWaitFor(kOkX + 12, kButtonY + 16, "closed 42 1");
    ASSERT_GE(frames, 0) << LOG_TEXT;
    EXPECT_GE(frames, 25);
    EXPECT_EQ(lines({"closed "}), Lines{"closed 42 1"}) << LOG_TEXT;
    ASSERT_NO_FATAL_FAILURE(expectGoneAfter("closed 42 1"));
}

TEST_F(Dialogs, AnOpenDialogSurvivesTheSwitchToFullScreenAndBack)
{
    ASSERT_NO_FATAL_FAILURE(open([this] { return new MessageQuestionDialogSimple(desc, &recorder, kDialogId); }));
    // The panel's picture lives in the dialog player's manager, the fonts
    // and button pictures in the screen's: all are uploaded again.
    run("key alt+return\nstep\n");
    ASSERT_NO_FATAL_FAILURE(expectOpenFrame(capture("switched"), {kYesX, kNoX}));
    run("key alt+return\nstep\n");
    EXPECT_FALSE(app->isFullscreen());
    ASSERT_NO_FATAL_FAILURE(expectOpenFrame(capture("back"), {kYesX, kNoX}));

    const int frames = clickAndWaitFor(kYesX + 12, kButtonY + 16, "answer 42 1");
    ASSERT_GE(frames, 0) << LOG_TEXT;
    ASSERT_NO_FATAL_FAILURE(expectGoneAfter("answer 42 1"));
}

TEST_F(Dialogs, AButtonLeftUnderTheAnsweredDialogTakesAClickMadeWithoutMoving)
{
    // A button of the screen lies where the dialog's yes button will be.
    ResourceManager* res = stage->getResources();
    const ButtonDesc looks(ButtonDesc::Look(Color::white(), Color::black(), res->getTexture("NORMAL")),
                           ButtonDesc::Look(Color::white(), Color::black(), res->getTexture("OVER")),
                           ButtonDesc::Look(Color::white(), Color::black(), res->getTexture("OVER")),
                           ButtonDesc::Look(Color::white(), Color::black(), res->getTexture("NORMAL")), 50);
    QuarnButton* below = createQuarnButton(&recorder, 5, looks, "");
    below->setBounds(kYesX, kButtonY, 150, 37);
    stage->addWidget(below);
    ASSERT_NO_FATAL_FAILURE(open([this] { return new MessageQuestionDialogSimple(desc, &recorder, kDialogId); }));

    const int x = kYesX + 12, y = kButtonY + 16;
    ASSERT_GE(clickAndWaitFor(x, y, "answer 42 1"), 0) << LOG_TEXT;
    run("step 3\n");
    ASSERT_FALSE(stage->ownsWidget(dialog));
    EXPECT_EQ(lines({"button 5"}), Lines{}) << "covered by the dialog, it heard nothing\n" << LOG_TEXT;

    // The pointer has not moved since the click on yes.
    run("mouse down " + std::to_string(x) + " " + std::to_string(y) + "\nstep\nmouse up " + std::to_string(x) + " " +
        std::to_string(y) + "\nstep\n");
    EXPECT_EQ(lines({"button 5"}), (Lines{"button 5 2", "button 5 0", "button 5 1"})) << LOG_TEXT;
}
