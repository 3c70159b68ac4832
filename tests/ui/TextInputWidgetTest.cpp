#include "engine/ui/TextInputWidget.h"

#include "engine/audio/Sound.h"
#include "engine/ui/WidgetManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/TestWidgets.h"
#include "tests/ui/TextWidgetTestDoubles.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

using Strings = std::vector<std::string>;
using Changes = std::vector<std::pair<std::string, int>>;
enum { Backspace = 8, Delete = 127, Up = 273, Down = 274, Right = 275, Left = 276, Home = 278, End = 279, F1 = 282 };

struct CountingSound : Sound {
    int plays = 0;
    int play() override { return ++plays, 0; }
    int playLooped(int) override { return play(); }
    int fadeIn(int, int) override { return play(); }
    void fadeOut(int) override {}
    void halt() override {}
    bool isPlaying() const override { return false; }
};

// Fields are 200 x 30 at (100, 50) in the fake input font (20 px lines).
class TextInputWidgetTest : public ::testing::Test {
protected:
    FixedFont font{20};
    FakeUiServices services{nullptr, &font};
    RecordingInputListener listener;
    Strings cursorLog;
    bool cursorDeleted = false;

    std::unique_ptr<TextInputWidget> field(uint32_t maxLength, const std::string& initial = "", bool clear = false)
    {
        auto f = std::make_unique<TextInputWidget>(&listener, maxLength, initial, clear);
        f->setBounds(100, 50, 200, 30);
        return f;
    }
    static void click(TextInputWidget& f)
    {
        MouseEvent e;
        f.onMousePress(&e);
    }
    static void key(TextInputWidget& f, int code, unsigned char c = 0, int type = KeyEvent::Pressed)
    {
        f.handleKey(KeyEvent{code, 0, type, c, c});
    }
    static void type(TextInputWidget& f, const std::string& chars)
    {
        for (unsigned char c : chars)
            key(f, c, c);
    }
};

} // namespace

TEST_F(TextInputWidgetTest, EditingKeysWorkAtTheCaretAndEveryEditIsReported)
{
    auto f = field(20);
    f->setId(7);
    click(*f);
    type(*f, "Ab");
    key(*f, Left);
    type(*f, "x");
    EXPECT_EQ(f->getText(), "Axb");
    EXPECT_EQ(listener.changes, (Changes{{"A", 7}, {"Ab", 7}, {"Axb", 7}}));
    EXPECT_EQ(listener.getText(), "Axb");
    EXPECT_EQ(listener.text(), "Axb");
    EXPECT_EQ(services.played, (Strings(3, "TEXT_INPUT"))) << "caret keys are silent";

    // Backspace and Delete both remove the character before the caret.
    key(*f, Backspace);
    key(*f, End);
    key(*f, Delete);
    EXPECT_EQ(f->getText(), "A");
    key(*f, Home);
    key(*f, Backspace);
    key(*f, Left);
    EXPECT_EQ(f->getCaret(), 0);
    EXPECT_EQ(listener.changes.size(), 5u) << "nothing before the caret: no edit, no report";
    key(*f, Right);
    key(*f, Right);
    EXPECT_EQ(f->getCaret(), 1);
    key(*f, Up);
    type(*f, "z");
    key(*f, Down);
    type(*f, "y");
    EXPECT_EQ(f->getText(), "zAy");
}

TEST_F(TextInputWidgetTest, KeysActOnlyWhenPressedOnAFieldThatWasClicked)
{
    FakeAppContext app;
    TestScreen screen{nullptr};
    auto* f = new TextInputWidget(&listener, 10, "", false);
    f->setBounds(100, 50, 200, 30);
    screen.addWidget(f);  // the screen owns it
    KeyEvent q{'q', 0, KeyEvent::Pressed, 'q', 'q'};
    screen.getWidgetManager()->onKey(&q);
    EXPECT_EQ(f->getText(), "");
    EXPECT_TRUE(services.played.empty());
    screen.getWidgetManager()->onMouse(mouseAt(MouseEvent::Press, 120, 60, MouseEvent::Left));
    screen.getWidgetManager()->onKey(&q);
    key(*f, 'r', 'r', KeyEvent::Released);
    f->handleKey(nullptr);
    EXPECT_EQ(f->getText(), "q");
    EXPECT_EQ(services.played.size(), 1u);
}

TEST_F(TextInputWidgetTest, TheFilterAndTheMaximumLengthStopInsertionButNotTheKeySound)
{
    auto f = field(4);
    click(*f);
    key(*f, F1);         // character 0
    key(*f, 13, 13);     // Return
    key(*f, 233, 0xE9);  // bytes from 128 up are characters too
    key(*f, 255, 0xFF);
    type(*f, "abc");
    EXPECT_EQ(f->getText(), "\xE9\xFF" "ab");
    EXPECT_EQ(services.played.size(), 7u);

    f->setCharFilter([](unsigned char c) { return c >= '0' && c <= '9'; });
    key(*f, Backspace);
    key(*f, Backspace);
    type(*f, "x5");
    f->setCharFilter(nullptr);  // back to the default
    type(*f, "y");
    EXPECT_EQ(f->getText(), "\xE9\xFF" "5y");
}

TEST_F(TextInputWidgetTest, AClearAtFirstUseFieldShowsItsPlaceholderUntilFirstUsed)
{
    auto f = field(10, "Name?", true);
    RecordingGraphics g;
    f->draw(g, nullptr);
    EXPECT_EQ(font.calls, (Strings{"run 0 0 'Name?' 0,0,0,255"}));
    click(*f);
    EXPECT_EQ(f->getText(), "");
    // The placeholder's going is reported like an edit.
    EXPECT_EQ(listener.changes, (Changes{{"", 0}}));
    EXPECT_EQ(listener.getText(), "");
    type(*f, "Jo");
    key(*f, Home);
    click(*f);
    EXPECT_EQ(f->getText(), "Jo") << "only the first press clears";
    EXPECT_EQ(f->getCaret(), 2) << "a press puts the caret at the end";
    EXPECT_EQ(listener.changes.size(), 3u) << "a later press reports nothing";

    // Focused by the manager without a press: the first key clears instead.
    auto h = field(10, "Name?", true);
    h->onFocusGained();
    EXPECT_FALSE(h->isFocused()) << "focus is followed only when asked";
    h->setFollowsFocus(true);
    h->onFocusGained();
    listener.changes.clear();
    type(*h, "K");
    EXPECT_EQ(h->getText(), "K");
    EXPECT_EQ(listener.changes, (Changes{{"", 0}, {"K", 0}}));
    h->onFocusLost();
    type(*h, "L");
    EXPECT_EQ(h->getText(), "K");
}

TEST_F(TextInputWidgetTest, WithoutTheGamesSoundsTheFieldsOwnKeySoundPlays)
{
    CountingSound own;
    auto f = field(10);
    click(*f);
    services.loaded = false;
    type(*f, "a");
    f->setKeySound(&own);
    type(*f, "b");
    services.loaded = true;
    type(*f, "c");
    setUiServices(nullptr);
    type(*f, "d");
    setUiServices(&services);
    EXPECT_EQ(own.plays, 2);
    EXPECT_EQ(services.played, (Strings{"TEXT_INPUT"}));
    EXPECT_EQ(f->getText(), "abcd");
}

TEST_F(TextInputWidgetTest, TheCaretObjectCoversTheCharacterAtTheCaretWhereItIsDrawn)
{
    auto f = field(10, "awb");
    f->setTextOffset(4, 3);
    f->setCursor(new LoggingCursor(&cursorLog, &cursorDeleted));
    // At the end: after the whole text (10 + 14 + 10), as wide as a 'w'.
    EXPECT_EQ(cursorLog, (Strings{"rect 38 3 14 20", "reset"}));
    click(*f);
    key(*f, Left);
    key(*f, Left);
    EXPECT_EQ(cursorLog[cursorLog.size() - 2], "rect 14 3 14 20") << "on the 'w'";
    key(*f, 233, 0xE9);
    EXPECT_EQ(f->getCursor()->getRect().x, 4 + 10 + 6) << "a byte from 128 up is measured as itself";

    // Centred: the caret follows the text, not the field's left edge.
    auto c = field(10, "abcd");
    c->setAlignment(TextInputWidget::Centred);
    c->setCursor(new LoggingCursor(&cursorLog, &cursorDeleted));
    EXPECT_EQ(c->getCursor()->getRect().x, 80 + 40);
    click(*c);
    key(*c, Home);
    key(*c, Right);
    EXPECT_EQ(c->getCursor()->getRect().x, 80 + 10);
    type(*c, "e");  // 50 px: (200 - 50) / 2 = 75
    EXPECT_EQ(c->getCursor()->getRect().x, 75 + 20);
    font.calls.clear();
    RecordingGraphics g;
    c->draw(g, nullptr);
    EXPECT_EQ(font.calls, (Strings{"run 75 0 'aebcd' 0,0,0,255"}));
    c->setBounds(100, 50, 101, 30);  // 25.5 -> 25
    EXPECT_EQ(c->getCursor()->getRect().x, 25 + 20) << "a resize moves the caret with the text";
}

TEST_F(TextInputWidgetTest, TheFieldOwnsItsCaretObjectAndUsesItOnlyWhileFocused)
{
    bool firstDeleted = false;
    auto f = field(10, "ab");
    auto* first = new LoggingCursor(&cursorLog, &firstDeleted);
    f->setCursor(first);
    f->setCursor(first);
    EXPECT_FALSE(firstDeleted) << "the same object again is kept";
    RecordingGraphics g;
    cursorLog.clear();
    f->update(16, nullptr);
    f->draw(g, nullptr);
    EXPECT_TRUE(cursorLog.empty());
    click(*f);
    cursorLog.clear();
    f->update(16, nullptr);
    f->draw(g, nullptr);
    EXPECT_EQ(cursorLog, (Strings{"update 16", "draw"}));
    EXPECT_EQ(g.calls, (Strings{"fillRect 0 0 200 30 255,255,255,255", "fillRect 0 0 200 30 255,255,255,255"}));

    f->setCursor(new LoggingCursor(&cursorLog, &cursorDeleted));
    EXPECT_TRUE(firstDeleted);
    f.reset();
    EXPECT_TRUE(cursorDeleted);
}

TEST_F(TextInputWidgetTest, AFieldWithoutFontOrListenerStillEdits)
{
    setUiServices(nullptr);
    TextInputWidget f(nullptr, 5, "", false);
    setUiServices(&services);
    f.setCursor(new LoggingCursor(&cursorLog, &cursorDeleted));
    click(f);
    type(f, "abc");
    key(f, Backspace);
    RecordingGraphics g;
    f.draw(g, nullptr);
    EXPECT_EQ(f.getText(), "ab");
    EXPECT_EQ(f.getFont(), nullptr);
    EXPECT_TRUE(font.calls.empty());
}
