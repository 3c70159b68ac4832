#include "engine/ui/SimpleTextListWidget.h"

#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/TextWidgetTestDoubles.h"
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Events = std::vector<std::pair<int, int>>;

// The fake list font has 20 px lines: 8 visible.
class TextListWidgetTest : public ::testing::Test {
protected:
    FixedFont font{20};
    FakeUiServices services{&font, nullptr};
    RecordingListListener listener;
    SimpleTextListWidget list{&listener};

    void fill(int count)
    {
        for (int i = 0; i < count; ++i)
            list.addLine("line" + std::to_string(i));
    }
    void pressAt(SimpleTextListWidget& l, int y)
    {
        MouseEvent e;
        e.y = y;
        l.onMousePress(&e);
    }
};

} // namespace

TEST_F(TextListWidgetTest, SizeSelectionAndScrollingFollowTheLineHeight)
{
    EXPECT_EQ(list.getVisibleLineCount(), 8);
    EXPECT_EQ(list.getGeometry().w, 240);
    EXPECT_EQ(list.getGeometry().h, 160);
    EXPECT_EQ(list.selectedLine(), "") << "no selection reads as empty";

    fill(20);
    list.setLine(3, "three");
    list.setLine(20, "none");
    EXPECT_EQ(list.lineCount(), 20);
    list.setId(4);
    list.selectLine(12);
    EXPECT_EQ(list.getFirstVisible(), 5);
    list.selectLine(7);
    EXPECT_EQ(list.getFirstVisible(), 5);
    list.selectLine(3);
    EXPECT_EQ(list.getFirstVisible(), 3);
    EXPECT_EQ(list.selectedLine(), "three");
    list.selectLine(20);
    EXPECT_EQ(list.getSelectedIndex(), -1);
    EXPECT_EQ(listener.events, (Events{{4, 12}, {4, 7}, {4, 3}})) << "an invalid index clears without a report";

    list.setBounds(300, 100, 240, 160);
    pressAt(list, 100 + 45);  // row 2 under first visible 3
    EXPECT_EQ(list.getSelectedIndex(), 5);
    list.selectLine(19);  // first visible 12
    pressAt(list, 100 + 159);
    EXPECT_EQ(list.getSelectedIndex(), 19);
    list.removeLine(19);
    pressAt(list, 100 + 159);
    EXPECT_EQ(list.getSelectedIndex(), 18) << "a press below the last line selects nothing";
}

// Removing the last line moves any selection up by one, also one above it
// (the profiles menu relies on this); a line above the selection takes the
// selection's text up with it; "none" stays -1.
TEST_F(TextListWidgetTest, RemovalMovesTheSelectionUpForALineAboveItOrForTheLastLine)
{
    fill(3);
    list.removeLine(2);  // nothing selected: stays none
    EXPECT_EQ(list.getSelectedIndex(), -1);
    EXPECT_EQ(list.selectedLine(), "");
    list.removeLine(0);
    list.removeLine(0);

    for (const char* line : {"a", "b", "c", "d", "e", "f"})
        list.addLine(line);
    list.selectLine(3);
    list.removeLine(0);  // above: the selection moves up with its text
    EXPECT_EQ(list.getSelectedIndex(), 2);
    EXPECT_EQ(list.selectedLine(), "d");
    list.removeLine(3);  // below, not the last: kept
    EXPECT_EQ(list.selectedLine(), "d");
    list.removeLine(3);  // the last line, below the selection: up by one
    EXPECT_EQ(list.getSelectedIndex(), 1);
    EXPECT_EQ(list.selectedLine(), "c");
    list.removeLine(1);  // the selected line, not the last: the next takes its place
    EXPECT_EQ(list.selectedLine(), "d");
    list.removeLine(1);  // the selected last line: the line above
    EXPECT_EQ(list.selectedLine(), "b");
    list.addLine("g");
    list.removeLine(1);  // the last line below line 0: the selection goes
    EXPECT_EQ(list.getSelectedIndex(), -1);
    list.removeLine(5);
    list.removeLine(0);
    EXPECT_EQ(list.getSelectedIndex(), -1);
    EXPECT_EQ(list.lineCount(), 0);
    EXPECT_EQ(listener.events,
              (Events{{0, -1}, {0, -1}, {0, -1}, {0, 3}, {0, 2}, {0, 2}, {0, 1}, {0, 1}, {0, 0}, {0, -1}, {0, -1}}));
}

TEST_F(TextListWidgetTest, DrawShowsTheWindowWithTheBarAndStaysOnTheListAfterRemovals)
{
    list.addLine("ab");
    list.addLine("abcde");
    list.addLine("c");
    list.selectLine(1);
    RecordingGraphics g;
    list.draw(g, nullptr);
    EXPECT_EQ(g.calls, (Strings{"fillRect 0 20 240 20 127,100,100,127"}));
    EXPECT_EQ(font.calls, (Strings{"run 110 0 'ab' 255,255,255,255", "run 95 20 'abcde' 255,255,255,255",
                                   "run 115 40 'c' 255,255,255,255"}));
    list.setAlignment(SimpleTextListWidget::Right);
    font.calls.clear();
    list.draw(g, nullptr);
    EXPECT_EQ(font.calls[0], "run 220 0 'ab' 255,255,255,255");

    fill(10);  // 13 lines
    list.setAlignment(SimpleTextListWidget::Left);
    list.selectLine(12);
    font.calls.clear();
    list.draw(g, nullptr);
    ASSERT_EQ(font.calls.size(), 8u);
    EXPECT_EQ(font.calls.front(), "run 0 0 'line2' 255,255,255,255");
    EXPECT_EQ(font.calls.back(), "run 0 140 'line9' 255,255,255,255");

    for (int i = 0; i < 7; ++i)
        list.removeLine(list.getSelectedIndex());
    EXPECT_EQ(list.getFirstVisible(), 0) << "the six lines left fit again";
    font.calls.clear();
    list.draw(g, nullptr);
    EXPECT_EQ(font.calls.size(), 6u);
}

TEST(TextListWidgetFontTest, ALineHeightOfZeroNeverDividesByZero)
{
    FixedFont empty(0);
    FakeUiServices services(&empty, nullptr);
    SimpleTextListWidget list(nullptr);
    EXPECT_EQ(list.getVisibleLineCount(), 164);
    EXPECT_EQ(list.getGeometry().h, 164);
    list.addLine("a");
    list.addLine("b");
    MouseEvent e;
    e.y = 1;
    list.onMousePress(&e);
    EXPECT_EQ(list.getSelectedIndex(), 1);
    RecordingGraphics g;
    list.draw(g, nullptr);
    EXPECT_EQ(empty.calls.size(), 2u);
}
