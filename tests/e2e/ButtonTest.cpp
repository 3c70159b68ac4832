// Buttons through real input: a QuarnButton's events from a move onto it, a
// click and a move away (and a press dragged off and back), its looks read
// back from the frame; a check box toggled by clicks.
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/CheckBoxWidget.h"
#include "engine/ui/QuarnButton.h"
#include "tests/e2e/EndToEndTest.h"
#include "tests/e2e/ListenerRecorder.h"

namespace {

using Lines = std::vector<std::string>;

const Color kGrey(60, 60, 60);
// Pixel (10, 10) of the three button pictures.
const Color kNormalPicture(157, 136, 103);
const Color kOverPicture(194, 163, 114);
const Color kPressedPicture(101, 81, 54);

class Buttons : public EndToEndTest {
protected:
    // A QuarnButton with id 7 at (300, 300) on a grey stage, looks from the
    // button pictures, 50 ms fades.
    void setUpButton()
    {
        ASSERT_NO_FATAL_FAILURE(startApp());
        stage = showStage("S", kGrey);
        ResourceManager* res = stage->getResources();
        res->registerTexture("NORMAL", new GLTexture("content/images/ui/ButtonNormal.png"));
        res->registerTexture("OVER", new GLTexture("content/images/ui/ButtonOver.png"));
        res->registerTexture("PRESSED", new GLTexture("content/images/ui/ButtonPressed.png"));
        const ButtonDesc desc(ButtonDesc::Look(Color::white(), Color::black(), res->getTexture("NORMAL")),
                              ButtonDesc::Look(Color::white(), Color::black(), res->getTexture("OVER")),
                              ButtonDesc::Look(Color::white(), Color::black(), res->getTexture("PRESSED")),
                              ButtonDesc::Look(Color(128, 128, 128), Color::black(), res->getTexture("NORMAL")), 50);
        button = createQuarnButton(&recorder, 7, desc, "");
        button->setBounds(300, 300, 150, 37);
        stage->addWidget(button);
        // Long enough for every fade (three times the fade time) to end.
        run("step 20\n");
    }

    // The pixel at (310, 310) after the fades of the last change ended.
    Color settledLook(const std::string& name)
    {
        run("step 20\n");
        return capture(name).at(310, 310);
    }

    ListenerRecorder recorder{log()};
    StageScreen* stage = nullptr;
    QuarnButton* button = nullptr;
};

} // namespace

TEST_F(Buttons, AQuarnButtonReportsEnterPressReleaseLeaveWithItsIdAndShowsEachLook)
{
    ASSERT_NO_FATAL_FAILURE(setUpButton());
    EXPECT_TRUE(near(settledLook("normal"), kNormalPicture, 3));

    const int from = mark();
    run("mouse move 375 318\nstep\n");
    EXPECT_TRUE(near(settledLook("hovered"), kOverPicture, 3));
    run("mouse down 375 318\nstep\n");
    EXPECT_TRUE(near(settledLook("pressed"), kPressedPicture, 3));
    run("mouse up 375 318\nstep\n");
    EXPECT_TRUE(near(settledLook("released"), kOverPicture, 3));
    run("mouse move 600 600\nstep\n");
    EXPECT_TRUE(near(settledLook("left"), kNormalPicture, 3));

    EXPECT_EQ(lines({"button "}, from), (Lines{"button 7 2", "button 7 0", "button 7 1", "button 7 3"})) << LOG_TEXT;
}

TEST_F(Buttons, OnlyAReleaseOverTheQuarnButtonAfterAPressOnItIsAClick)
{
    ASSERT_NO_FATAL_FAILURE(setUpButton());
    // Pressed, dragged off and released outside: no click.
    int from = mark();
    run("mouse move 375 318\nstep\nmouse down 375 318\nstep\nmouse move 600 600\nstep\nmouse up 600 600\nstep\n");
    EXPECT_EQ(lines({"button "}, from), (Lines{"button 7 2", "button 7 0", "button 7 3"})) << LOG_TEXT;

    // Pressed, dragged off and back, released on it: a click.
    from = mark();
    run("mouse move 375 318\nstep\nmouse down 375 318\nstep\nmouse move 600 600\nstep\n"
        "mouse move 380 320\nstep\nmouse up 380 320\nstep\n");
    EXPECT_EQ(lines({"button "}, from), (Lines{"button 7 2", "button 7 0", "button 7 3", "button 7 2", "button 7 1"}))
        << LOG_TEXT;

    // Pressed elsewhere and dragged onto it: neither press nor click.
    run("mouse move 600 600\nstep\n");
    from = mark();
    run("mouse down 600 600\nstep\nmouse move 380 320\nstep\nmouse up 380 320\nstep\n");
    EXPECT_EQ(lines({"button 7 0", "button 7 1"}, from), Lines{}) << LOG_TEXT;
}

TEST_F(Buttons, ACheckBoxTogglesOnEachClickAndDrawsItsMark)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    StageScreen* s = showStage("S", kGrey);
    auto* box = new GLTexture("content/images/ui/CheckBox.png");
    auto* mark = new GLTexture("content/images/ui/CheckMark.png");
    s->getResources()->registerTexture("BOX", box);
    s->getResources()->registerTexture("MARK", mark);
    ListenerRecorder recorder(log());
    auto* check = new CheckBoxWidget(&recorder, 3, box, mark);
    check->setPosition(500, 300);
    s->addWidget(check);
    const Color paper(244, 240, 224);
    const Color green(47, 154, 47);

    EXPECT_TRUE(near(capture("unchecked").at(516, 316), paper, 2));
    run("mouse click 516 316\nstep\n");
    EXPECT_TRUE(check->isChecked());
    BmpImage checked = capture("checked");
    EXPECT_TRUE(near(checked.at(516, 316), green, 2)) << describe(checked.at(516, 316));

    run("mouse click 516 316\nstep\n");
    EXPECT_FALSE(check->isChecked());
    BmpImage unchecked = capture("unchecked-again");
    EXPECT_TRUE(near(unchecked.at(516, 316), paper, 2)) << describe(unchecked.at(516, 316));
    // A click beside it changes nothing.
    run("mouse click 540 316\nstep\n");
    EXPECT_EQ(lines({"check "}), (Lines{"check 3 1", "check 3 0"})) << LOG_TEXT;
}

TEST_F(Buttons, AQuarnButtonReachedByADragIsClickedWithoutMovingAgain)
{
    ASSERT_NO_FATAL_FAILURE(setUpButton());
    // Pressed beside the button, dragged onto it and released there: no
    // click. The pointer now rests on the button.
    run("mouse move 600 600\nstep\nmouse down 600 600\nstep\nmouse move 380 320\nstep\nmouse up 380 320\nstep\n");
    // Clicked where it rests, without a motion event in between.
    const int from = mark();
    run("mouse down 380 320\nstep\nmouse up 380 320\nstep\n");
    EXPECT_EQ(lines({"button "}, from), (Lines{"button 7 2", "button 7 0", "button 7 1"})) << LOG_TEXT;
}
