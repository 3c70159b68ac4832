// The message dialogs without a window: opening through the open animation
// (or at once without it), the buttons' places, clicks through the widget
// manager, closing through the close animation, the order in which the
// listener hears of it and the dialog leaves its screen, and what is drawn.
#include "engine/gfx/GLTexture.h"
#include "engine/ui/Animation2D.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/MessageDialogDesc.h"
#include "engine/ui/MessageDialogSimple.h"
#include "engine/ui/MessageDialogSimpleListener.h"
#include "engine/ui/MessageQuestionDialogListener.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/WidgetManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestTextures.h"
#include "tests/ui/ButtonTestDoubles.h"
#include "tests/ui/TestWidgets.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* OpenClip = "content/animations/UniversalDialog/MessageDialogStart.xml";
const char* CloseClip = "content/animations/UniversalDialog/MessageDialogClose.xml";
const char* MissingClip = "content/animations/UniversalDialog/NoSuchDialog.xml";

std::unique_ptr<GLTexture> picture(int w, int h)
{
    return solidTexture(w, h, Color(200, 100, 50, 255));
}

// Hears both listener interfaces, one line per call, and runs `during`
// inside the call so a test can look at the dialog and its screen then.
struct DialogEvents : MessageDialogSimpleListener, MessageQuestionDialogListener {
    std::vector<std::string> log;
    std::function<void()> during;

    void onDialogClosed(int32_t id, int32_t result) override
    {
        log.push_back("closed " + std::to_string(id) + " " + std::to_string(result));
        if (during)
            during();
    }
    void onAnswer(int32_t id, int32_t answer) override
    {
        log.push_back("answer " + std::to_string(id) + " " + std::to_string(answer));
        if (during)
            during();
    }
};

// Overrides only the one-argument form.
struct ShortFormListener : MessageDialogSimpleListener {
    using MessageDialogSimpleListener::onDialogClosed;
    std::vector<int32_t> ids;
    void onDialogClosed(int32_t id) override { ids.push_back(id); }
};

// Records the width it is asked to wrap to and breaks at every space.
class WrappingFont : public ButtonFont {
public:
    mutable std::vector<int> wrapWidths;
    void wrapText(const std::string& text, std::string& out, int maxWidth) const override
    {
        wrapWidths.push_back(maxWidth);
        out = text;
        std::replace(out.begin(), out.end(), ' ', '\n');
    }
};

class MessageDialogTest : public ::testing::Test {
protected:
    FakeAppContext app;
    ButtonServices services{nullptr, false};  // named effects not loaded
    std::unique_ptr<GLTexture> normal = picture(150, 37);
    std::unique_ptr<GLTexture> over = picture(150, 37);
    ButtonFont font;
    DialogEvents events;
    CallLog log;
    std::unique_ptr<TestScreen> screen = std::make_unique<TestScreen>(&log);

    MessageDialogDesc desc(const char* open = OpenClip, const char* close = CloseClip)
    {
        MessageDialogDesc d;
        d.openAnimation = open;
        d.closeAnimation = close;
        d.text = "Leave the puzzle?";
        d.title = "Skip";
        d.firstCaption = "YES";
        d.secondCaption = "NO";
        d.textAlignment = 2;
        d.textFont = &font;
        d.textBox = WidgetGeometry(46, 71, 0, 404, 133);
        d.x = 256;
        d.y = 256;
        d.buttonNormal = normal.get();
        d.buttonOver = over.get();
        d.buttonFont = &font;
        return d;
    }
    WidgetManager* manager() const { return screen->getWidgetManager(); }
    bool managed(const Widget* w) const { return manager()->contains(w); }
    bool onScreen(const MessageDialogSimple* d, int32_t clipId) const
    {
        Animation2D* clip = d->getPlayer()->findAnimation(clipId);
        return clip && managed(clip);
    }
    // Screen updates of `dt` until `done` holds; the number used, or 0.
    int updatesUntil(const std::function<bool()>& done, int limit = 60, int dt = 50)
    {
        for (int i = 1; i <= limit; ++i) {
            screen->update(dt);
            if (done())
                return i;
        }
        return 0;
    }
    // Pointer onto the widget's centre, left press, left release.
    void click(const Widget* w)
    {
        const WidgetGeometry& g = w->getGeometry();
        const int x = g.x + g.w / 2, y = g.y + g.h / 2;
        manager()->onMouse(mouseAt(MouseEvent::Move, x, y));
        manager()->onMouse(mouseAt(MouseEvent::Press, x, y, MouseEvent::Left));
        manager()->onMouse(mouseAt(MouseEvent::Release, x, y, MouseEvent::Left));
    }
    template <class Dialog>
    Dialog* open(Dialog* dialog)
    {
        screen->addWidget(dialog);
        EXPECT_GT(updatesUntil([dialog] { return dialog->isContentsShown(); }), 0) << "the dialog never opened";
        return dialog;
    }
};

} // namespace

TEST_F(MessageDialogTest, OpeningPlaysTheOpenClipAtTheDialogPositionAndShowsTheButtonWhenItEnds)
{
    auto* dialog = new MessageDialogSimple(desc(), &events, 77);
    screen->addWidget(dialog);
    EXPECT_EQ(dialog->getGeometry().x, 0);
    EXPECT_EQ(dialog->getGeometry().w, 1024);
    EXPECT_EQ(dialog->getGeometry().h, 768);
    Animation2D* clip = dialog->getPlayer()->findAnimation(MessageDialogSimple::OpenAnimationId);
    ASSERT_NE(clip, nullptr);
    ASSERT_NE(dialog->getPlayer()->findAnimation(MessageDialogSimple::CloseAnimationId), nullptr);
    EXPECT_FALSE(managed(clip)) << "the opening starts with the dialog's first update";

    screen->update(16);
    ASSERT_TRUE(managed(clip));
    EXPECT_EQ(clip->getGeometry().x, 256);
    EXPECT_EQ(clip->getGeometry().y, 256);
    EXPECT_EQ(clip->getZOffset(), 10);
    EXPECT_GT(clip->getGeometry().z, dialog->getGeometry().z) << "the panel lies over the dim";
    EXPECT_FALSE(dialog->isContentsShown());
    EXPECT_EQ(dialog->getButton(), nullptr);

    const int updates = updatesUntil([dialog] { return dialog->isContentsShown(); });
    ASSERT_GT(updates, 0);
    EXPECT_GE(updates * 50, clip->getLength()) << "not before the clip has played";
    EXPECT_LE(updates * 50, clip->getLength() + 4 * 50) << "within a few frames of its end";
    SimpleImageButton* button = dialog->getButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(managed(button));
    EXPECT_TRUE(managed(clip)) << "the panel stays at its last frame while the dialog is shown";
    EXPECT_GT(button->getGeometry().z, clip->getGeometry().z);
    EXPECT_EQ(button->getId(), MessageDialogSimple::ConfirmButtonId);
    EXPECT_EQ(button->getCaption(), "YES");
    EXPECT_EQ(button->getTextColor(), Color(255, 255, 255, 255)) << "captions are white";
    // Centred below the panel: 557 - 150 / 2, and (768 - 256) / 2 + 256 - 40.
    EXPECT_EQ(button->getGeometry().x, 482);
    EXPECT_EQ(button->getGeometry().y, 472);
    EXPECT_EQ(button->getGeometry().w, 150);
    EXPECT_EQ(button->getGeometry().h, 37);
    EXPECT_TRUE(events.log.empty());
}

TEST_F(MessageDialogTest, ButtonPlacesFollowTheDialogPositionOrTheDesc)
{
    // A dialog at (200, 150) with a 300-pixel-wide button picture.
    std::unique_ptr<GLTexture> wide = picture(300, 37);
    MessageDialogDesc d = desc();
    d.x = 200;
    d.y = 150;
    d.buttonNormal = wide.get();
    d.buttonFont = nullptr;
    auto* simple = open(new MessageDialogSimple(d, 1));
    ASSERT_NE(simple->getButton(), nullptr);
    EXPECT_EQ(simple->getButton()->getGeometry().x, 407);
    EXPECT_EQ(simple->getButton()->getGeometry().y, 419);
    EXPECT_EQ(simple->getButton()->getCaption(), "") << "no caption without a button font";

    // Only the first button's pair given: the confirming button takes it.
    d.buttonNormal = nullptr;
    d.buttonOver = nullptr;
    d.firstButtonNormal = wide.get();
    d.firstButtonOver = over.get();
    auto* firstPair = open(new MessageDialogSimple(d, 1));
    EXPECT_EQ(firstPair->getButton()->getGeometry().w, 300);
    EXPECT_EQ(firstPair->getButton()->getGeometry().x, 407);

    // Question: yes left of the centre, no right of it, same row.
    auto* question = open(new MessageQuestionDialogSimple(desc(), 2, nullptr));
    ASSERT_NE(question->getYesButton(), nullptr);
    ASSERT_NE(question->getNoButton(), nullptr);
    EXPECT_EQ(question->getYesButton()->getGeometry().x, 557 - 150 - 40);
    EXPECT_EQ(question->getNoButton()->getGeometry().x, 557);
    EXPECT_EQ(question->getYesButton()->getGeometry().y, 472);
    EXPECT_EQ(question->getNoButton()->getGeometry().y, 472);
    EXPECT_EQ(question->getYesButton()->getId(), MessageQuestionDialogSimple::YesButtonId);
    EXPECT_EQ(question->getNoButton()->getId(), MessageQuestionDialogSimple::NoButtonId);
    EXPECT_EQ(question->getYesButton()->getCaption(), "YES");
    EXPECT_EQ(question->getNoButton()->getCaption(), "NO");

    // Given places win; a coordinate of -1 falls back for that button only.
    MessageDialogDesc placed = desc();
    placed.firstButtonX = 328;
    placed.firstButtonY = 444;
    placed.secondButtonX = 498;
    placed.secondButtonY = -1;
    auto* given = open(new MessageQuestionDialogSimple(placed, 3, nullptr));
    EXPECT_EQ(given->getYesButton()->getGeometry().x, 328);
    EXPECT_EQ(given->getYesButton()->getGeometry().y, 444);
    EXPECT_EQ(given->getNoButton()->getGeometry().x, 557);
    EXPECT_EQ(given->getNoButton()->getGeometry().y, 472);
}

TEST_F(MessageDialogTest, QuestionButtonsPreferTheirOwnPairThenACaptionThenTheSharedPictures)
{
    std::unique_ptr<GLTexture> yes = picture(120, 40);
    std::unique_ptr<GLTexture> yesOver = picture(120, 40);
    std::unique_ptr<GLTexture> noPicture = picture(90, 30);
    MessageDialogDesc d = desc();
    d.firstButtonNormal = yes.get();
    d.firstButtonOver = yesOver.get();
    d.secondButtonNormal = noPicture.get();  // half a pair: not used
    auto* captioned = open(new MessageQuestionDialogSimple(d, &events, 4));
    EXPECT_EQ(captioned->getYesButton()->getGeometry().w, 120) << "own pair";
    EXPECT_EQ(captioned->getYesButton()->getCaption(), "") << "an own pair carries no caption";
    EXPECT_EQ(captioned->getNoButton()->getGeometry().w, 150) << "shared pictures";
    EXPECT_EQ(captioned->getNoButton()->getCaption(), "NO");

    d.buttonFont = nullptr;
    auto* plain = open(new MessageQuestionDialogSimple(d, &events, 5));
    EXPECT_EQ(plain->getNoButton()->getGeometry().w, 150);
    EXPECT_EQ(plain->getNoButton()->getCaption(), "");

    // Only the own pairs given: the yes picture sizes the layout, so the
    // buttons do not overlap.
    MessageDialogDesc pairs = desc();
    pairs.buttonNormal = nullptr;
    pairs.buttonOver = nullptr;
    pairs.firstButtonNormal = yes.get();
    pairs.firstButtonOver = yesOver.get();
    pairs.secondButtonNormal = yes.get();
    pairs.secondButtonOver = yesOver.get();
    auto* own = open(new MessageQuestionDialogSimple(pairs, &events, 6));
    const WidgetGeometry& a = own->getYesButton()->getGeometry();
    const WidgetGeometry& b = own->getNoButton()->getGeometry();
    EXPECT_LE(a.x + a.w, b.x);
}

TEST_F(MessageDialogTest, ClickingOkClosesThroughTheCloseClipThenTellsTheListenerOnceBeforeLeaving)
{
    CountingSound press, hover;
    MessageDialogDesc d = desc();
    d.pressSound = &press;
    d.hoverSound = &hover;
    auto* dialog = open(new MessageDialogSimple(d, &events, 79));
    SimpleImageButton* button = dialog->getButton();
    Animation2D* closeClip = dialog->getPlayer()->findAnimation(MessageDialogSimple::CloseAnimationId);
    ASSERT_NE(closeClip, nullptr);

    bool stillManaged = false, stillOwned = false;
    events.during = [&] {
        stillManaged = managed(dialog);
        stillOwned = screen->ownsWidget(dialog);
    };
    click(button);
    EXPECT_EQ(hover.plays, 1) << "the desc's sounds are the button's own";
    EXPECT_EQ(press.plays, 1);
    EXPECT_EQ(dialog->getResult(), 1);
    EXPECT_TRUE(dialog->isClosing());
    EXPECT_FALSE(dialog->isContentsShown());
    EXPECT_FALSE(managed(button)) << "the button goes at once";
    EXPECT_EQ(dialog->getButton(), button) << "and stays the dialog's";
    EXPECT_EQ(dialog->getPlayer()->findAnimation(MessageDialogSimple::OpenAnimationId), nullptr)
        << "the open clip is removed";
    EXPECT_TRUE(managed(closeClip));
    EXPECT_EQ(closeClip->getZOffset(), 10);
    EXPECT_EQ(closeClip->getGeometry().x, 256);
    EXPECT_TRUE(events.log.empty()) << "nobody is told before the close clip has played";

    ASSERT_GT(updatesUntil([&] { return !events.log.empty(); }), 0);
    EXPECT_EQ(events.log, Lines{"closed 79 1"});
    EXPECT_TRUE(stillManaged) << "the listener is told first ...";
    EXPECT_TRUE(stillOwned);
    EXPECT_FALSE(managed(dialog)) << "... then the dialog leaves the screen";
    EXPECT_FALSE(managed(closeClip));
    // Deleted by the screen once the widget pass that ended the clip is over.
    EXPECT_FALSE(screen->ownsWidget(dialog));
    EXPECT_FALSE(screen->ownsWidget(closeClip));
    for (int i = 0; i < 10; ++i)
        screen->update(50);
    EXPECT_EQ(events.log, Lines{"closed 79 1"});
}

TEST_F(MessageDialogTest, AnsweringRemovesTheQuestionFirstAndThenReportsTheAnswer)
{
    struct Case {
        bool yes;
        bool listenerFirst;  // which constructor order
    };
    for (const Case c : {Case{true, false}, Case{false, true}}) {
        events.log.clear();
        MessageQuestionDialogSimple* dialog = c.listenerFirst
                                                  ? new MessageQuestionDialogSimple(desc(), &events, 78)
                                                  : new MessageQuestionDialogSimple(desc(), 78, &events);
        open(dialog);
        SimpleImageButton* yes = dialog->getYesButton();
        SimpleImageButton* no = dialog->getNoButton();
        bool managedDuring = true, ownedDuring = false;
        events.during = [&] {
            managedDuring = managed(dialog);
            ownedDuring = screen->ownsWidget(dialog);
        };
        click(c.yes ? yes : no);
        EXPECT_EQ(dialog->getAnswer(), c.yes ? 1 : 0);
        EXPECT_EQ(dialog->getResult(), -1) << "a question has an answer, not a result";
        EXPECT_FALSE(managed(yes));
        EXPECT_FALSE(managed(no)) << "both buttons go at once";
        Animation2D* closeClip = dialog->getPlayer()->findAnimation(MessageDialogSimple::CloseAnimationId);
        ASSERT_NE(closeClip, nullptr);
        EXPECT_EQ(closeClip->getZOffset(), 0);
        EXPECT_TRUE(events.log.empty());

        ASSERT_GT(updatesUntil([&] { return !events.log.empty(); }), 0);
        EXPECT_EQ(events.log, Lines{c.yes ? "answer 78 1" : "answer 78 0"});
        EXPECT_FALSE(managedDuring) << "the dialog is off the screen when the answer comes";
        EXPECT_TRUE(ownedDuring) << "but not yet deleted";
        EXPECT_FALSE(screen->ownsWidget(dialog)) << "deleted after the widget pass";
    }
}

TEST_F(MessageDialogTest, OnlyAClickOnTheDialogsOwnButtonIdsCloses)
{
    auto* simple = open(new MessageDialogSimple(desc(), &events, 1));
    for (const int event : {0, 2, 3})
        simple->onButton(MessageDialogSimple::ConfirmButtonId, event);
    simple->onButton(MessageQuestionDialogSimple::YesButtonId, 1);
    EXPECT_FALSE(simple->isClosing());

    auto* question = open(new MessageQuestionDialogSimple(desc(), &events, 2));
    question->onButton(MessageQuestionDialogSimple::YesButtonId, 0);
    question->onButton(MessageDialogSimple::ConfirmButtonId, 1);
    EXPECT_FALSE(question->isClosing());
    EXPECT_EQ(question->getAnswer(), -1);
}

TEST_F(MessageDialogTest, WhileShownTheDialogTakesEveryClickItsButtonsDoNot)
{
    auto* below = new LogWidget("below", &log, 0, 0, 0, 1024, 768);
    screen->addWidget(below);
    auto* dialog = new MessageDialogSimple(desc(), &events, 1);
    screen->addWidget(dialog);
    for (const int type : {MouseEvent::Move, MouseEvent::Press, MouseEvent::Release}) {
        manager()->onMouse(mouseAt(type, 10, 10, type == MouseEvent::Move ? 0 : MouseEvent::Left));
        screen->update(50);
    }
    open(dialog);
    manager()->onMouse(mouseAt(MouseEvent::Move, 20, 20));
    manager()->onMouse(mouseAt(MouseEvent::Press, 20, 20, MouseEvent::Left));
    manager()->onMouse(mouseAt(MouseEvent::Release, 20, 20, MouseEvent::Left));
    for (const std::string& line : log)
        EXPECT_TRUE(line.rfind("below press", 0) != 0 && line.rfind("below release", 0) != 0 &&
                    line.rfind("below enter", 0) != 0)
            << line;
    EXPECT_FALSE(dialog->isClosing());
}

TEST_F(MessageDialogTest, AMissingOpenClipOpensAtOnceAndAMissingCloseClipClosesAtOnce)
{
    auto* dialog = new MessageDialogSimple(desc(MissingClip, MissingClip), &events, 5);
    EXPECT_EQ(dialog->getPlayer()->findAnimation(MessageDialogSimple::OpenAnimationId), nullptr);
    screen->addWidget(dialog);
    screen->update(50);
    ASSERT_TRUE(dialog->isContentsShown()) << "the dialog must not cover the screen with nothing to click";
    ASSERT_NE(dialog->getButton(), nullptr);
    EXPECT_TRUE(managed(dialog->getButton()));

    bool managedDuring = false;
    events.during = [&] { managedDuring = managed(dialog); };
    click(dialog->getButton());
    EXPECT_EQ(events.log, Lines{"closed 5 1"}) << "nothing to wait for";
    EXPECT_TRUE(managedDuring);
    EXPECT_FALSE(managed(dialog));
    screen->update(50);
    EXPECT_FALSE(screen->ownsWidget(dialog));

    // The question likewise, in its own order.
    events.log.clear();
    auto* question = new MessageQuestionDialogSimple(desc(MissingClip, MissingClip), &events, 6);
    screen->addWidget(question);
    screen->update(50);
    ASSERT_TRUE(question->isContentsShown());
    managedDuring = true;
    click(question->getNoButton());
    EXPECT_EQ(events.log, Lines{"answer 6 0"});
    EXPECT_FALSE(managedDuring);
}

TEST_F(MessageDialogTest, AnOpenClipWithNothingToPlayStillEnds)
{
    TempFolder folder;
    const std::string empty = folder.write(
        "Empty.xml", "<Scene name=\"Empty\" loop=\"0\" length=\"300\"><Screen Width=\"512\" Height=\"256\" /></Scene>");
    auto* dialog = new MessageDialogSimple(desc(empty.c_str()), &events, 5);
    ASSERT_NE(dialog->getPlayer()->findAnimation(MessageDialogSimple::OpenAnimationId), nullptr);
    screen->addWidget(dialog);
    EXPECT_GT(updatesUntil([dialog] { return dialog->isContentsShown(); }, 4), 0);
}

TEST_F(MessageDialogTest, CloseFromTheProgramWaitsForTheScreenRunsOnceAndMayCutTheOpeningShort)
{
    auto* dialog = new MessageDialogSimple(desc(), &events, 3);
    screen->addWidget(dialog);
    EXPECT_FALSE(dialog->close()) << "not yet updated on its screen";
    EXPECT_FALSE(dialog->isClosing());
    screen->update(50);
    screen->update(50);
    ASSERT_TRUE(dialog->close());
    EXPECT_TRUE(dialog->close());
    bool hadButton = true;
    events.during = [&] { hadButton = dialog->getButton() != nullptr; };
    ASSERT_GT(updatesUntil([&] { return !events.log.empty(); }), 0);
    for (int i = 0; i < 10; ++i)
        screen->update(50);
    EXPECT_FALSE(hadButton) << "the open clip was cut short: no contents";
    EXPECT_EQ(events.log, Lines{"closed 3 -1"}) << "once, and not by the button";
}

TEST_F(MessageDialogTest, TheListenerMayOverrideEitherForm)
{
    ShortFormListener shortForm;
    auto* dialog = open(new MessageDialogSimple(desc(), &shortForm, 77));
    click(dialog->getButton());
    ASSERT_GT(updatesUntil([&] { return !shortForm.ids.empty(); }), 0);
    EXPECT_EQ(shortForm.ids, std::vector<int32_t>{77});

    // The two-argument form (DialogEvents) gets the result as well; the base
    // form reaches the one-argument form through its default.
    MessageDialogSimpleListener& base = shortForm;
    base.onDialogClosed(12, 1);
    EXPECT_EQ(shortForm.ids, (std::vector<int32_t>{77, 12}));
}

TEST_F(MessageDialogTest, RemovingOrDeletingAShownDialogTakesItsButtonsAndClipsAlong)
{
    auto* dialog = open(new MessageQuestionDialogSimple(desc(), &events, 1));
    SimpleImageButton* yes = dialog->getYesButton();
    Animation2D* openClip = dialog->getPlayer()->findAnimation(MessageDialogSimple::OpenAnimationId);
    screen->safeRemoveWidget(dialog);
    EXPECT_FALSE(managed(yes));
    EXPECT_FALSE(managed(openClip));
    screen->update(50);
    EXPECT_FALSE(screen->ownsWidget(openClip));
    EXPECT_TRUE(events.log.empty()) << "taken away, not answered";

    // A screen that goes while a dialog is shown or closing.
    auto* shown = open(new MessageDialogSimple(desc(), &events, 2));
    auto* closing = open(new MessageQuestionDialogSimple(desc(), &events, 3));
    click(closing->getNoButton());
    screen->update(50);
    (void)shown;
    screen.reset();
    EXPECT_TRUE(events.log.empty());
}

TEST_F(MessageDialogTest, DrawingDimsFirstThenTextAndCapitalTitleInTheLatePass)
{
    MessageDialogDesc d = desc();
    std::unique_ptr<GLTexture> decoration = picture(20, 20);
    d.decoration = decoration.get();
    d.textColor = Color(10, 20, 30, 255);
    d.titleX = 150;
    d.titleY = 24;
    auto* dialog = new MessageDialogSimple(d, &events, 1);
    screen->addWidget(dialog);

    RecordingGraphics opening;
    manager()->draw(opening, screen.get());
    EXPECT_NE(std::find(opening.calls.begin(), opening.calls.end(), "fillRect 0 0 1024 768 0,0,0,128"),
              opening.calls.end());
    EXPECT_TRUE(font.calls.empty()) << "nothing but the dim while opening";

    open(dialog);
    font.calls.clear();
    RecordingGraphics shown;
    manager()->draw(shown, screen.get());
    const auto dim = std::find(shown.calls.begin(), shown.calls.end(), "fillRect 0 0 1024 768 0,0,0,128");
    const auto deco = std::find(shown.calls.begin(), shown.calls.end(), "drawImage 610 177 255,255,255,255");
    ASSERT_NE(dim, shown.calls.end());
    ASSERT_NE(deco, shown.calls.end()) << "decoration at (x + 354, y - 79)";
    EXPECT_LT(dim, deco);
    // The button's caption is drawn first, in the normal pass; the text and
    // title come after everything else.
    ASSERT_GE(font.calls.size(), 3u);
    EXPECT_EQ(font.calls[font.calls.size() - 2],
              "box 302 327 0 404x133 'Leave the puzzle?' 10,20,30,255 h2 v2 nowrap");
    EXPECT_EQ(font.calls.back(), "run 406 280 'SKIP' 255,255,255,255");

    // No box: the text starts at (x + 100, y + 100). No title: none drawn.
    MessageDialogDesc plain = desc(MissingClip, MissingClip);
    plain.textBox = WidgetGeometry();
    plain.textBox.w = -1;
    plain.title.clear();
    ButtonFont titleFont;
    plain.titleFont = &titleFont;
    auto* noBox = new MessageDialogSimple(plain, &events, 2);
    screen->addWidget(noBox);
    screen->update(50);
    dialog->setVisible(false);
    font.calls.clear();
    RecordingGraphics g;
    manager()->draw(g, screen.get());
    ASSERT_FALSE(font.calls.empty());
    EXPECT_EQ(font.calls.back(), "run 356 356 'Leave the puzzle?' 255,255,255,255");
    EXPECT_TRUE(titleFont.calls.empty());
}

TEST_F(MessageDialogTest, TextIsWrappedOnceAtConstructionAndNothingIsDrawnWithoutAFont)
{
    WrappingFont wrapping;
    MessageDialogDesc d = desc();
    d.textFont = &wrapping;
    d.textBox.w = 400;
    auto* dialog = new MessageDialogSimple(d, 1);
    EXPECT_EQ(wrapping.wrapWidths, std::vector<int>{400});
    EXPECT_EQ(dialog->getText(), "Leave\nthe\npuzzle?");
    EXPECT_FALSE(dialog->getDesc().wrap);
    EXPECT_EQ(dialog->getDesc().titleFont, &wrapping) << "the title falls back to the text font";
    open(dialog);
    RecordingGraphics g;
    manager()->draw(g, screen.get());
    const auto box = std::find_if(wrapping.calls.begin(), wrapping.calls.end(),
                                  [](const std::string& c) { return c.rfind("box", 0) == 0; });
    ASSERT_NE(box, wrapping.calls.end());
    EXPECT_NE(box->find("'Leave\nthe\npuzzle?'"), std::string::npos) << *box;
    EXPECT_NE(box->find("nowrap"), std::string::npos) << "not wrapped again when drawn";

    MessageDialogDesc fontless = desc();
    fontless.textFont = nullptr;
    fontless.buttonFont = nullptr;
    fontless.decoration = normal.get();
    screen->removeWidget(dialog);
    open(new MessageDialogSimple(fontless, 3));
    RecordingGraphics h;
    font.calls.clear();
    manager()->draw(h, screen.get());
    EXPECT_TRUE(font.calls.empty());
    EXPECT_EQ(std::count_if(h.calls.begin(), h.calls.end(),
                            [](const std::string& c) { return c.rfind("drawImage 610", 0) == 0; }),
              0)
        << "no decoration without a text font";
}
