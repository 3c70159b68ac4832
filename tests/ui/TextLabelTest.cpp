#include "engine/ui/TextLabel.h"
#include "engine/ui/TextLabelEx.h"

#include "tests/anim/RecordingGraphics.h"
#include "tests/ui/TextWidgetTestDoubles.h"
#include <gtest/gtest.h>

namespace {
using Strings = std::vector<std::string>;
const Color kInk(10, 20, 30, 255);
const Color kPaper(200, 190, 180, 128);

// What the font was asked to draw, after what the graphics drew into `g`.
template <typename Label>
Strings fontCalls(Label& label, FixedFont& font, RecordingGraphics& g)
{
    font.calls.clear();
    label.draw(g, nullptr);
    return font.calls;
}
} // namespace

TEST(TextLabelTest, AlignmentPlacesTheRunWithHalvesTruncatedTowardZero)
{
    FixedFont font(19);
    RecordingGraphics g;
    TextLabel label("abc", &font, TextLabel::Left, kInk, kPaper);  // 30 px
    EXPECT_EQ(fontCalls(label, font, g), (Strings{"run 0 0 'abc' 10,20,30,255"}));
    EXPECT_TRUE(g.calls.empty()) << "no size, no background";

    label.setBounds(5, 6, 101, 50);
    EXPECT_EQ(fontCalls(label, font, g), (Strings{"run 0 0 'abc' 10,20,30,255"}));
    EXPECT_EQ(g.calls, (Strings{"fillRect 0 0 101 50 200,190,180,128"}));
    label.setAlignment(TextLabel::CentredH);
    EXPECT_EQ(fontCalls(label, font, g), (Strings{"run 35 0 'abc' 10,20,30,255"}));
    label.setAlignment(TextLabel::Centred);  // 35.5, 15.5
    EXPECT_EQ(fontCalls(label, font, g), (Strings{"run 35 15 'abc' 10,20,30,255"}));
    label.setText("abcdefghijklm");  // 130 px: -14.5
    label.setBounds(5, 6, 101, 10);  // -4.5
    EXPECT_EQ(fontCalls(label, font, g), (Strings{"run -14 -4 'abcdefghijklm' 10,20,30,255"}));

    TextLabel bare("x", nullptr, TextLabel::Centred, kInk, kPaper);
    bare.setSize(40, 20);
    RecordingGraphics g2;
    bare.draw(g2, nullptr);
    EXPECT_EQ(g2.calls, (Strings{"fillRect 0 0 40 20 200,190,180,128"}));
}

TEST(TextLabelExTest, DrawsTheTextInItsBoxWrappedAndCentredUnlessHidden)
{
    FixedFont font(24);
    RecordingGraphics g;
    TextLabelEx label("a riddle", &font, kInk, kPaper);
    EXPECT_EQ(label.getSecondColour(), Color());
    label.setBounds(0, 10, 1024, 40);
    EXPECT_EQ(fontCalls(label, font, g), (Strings{"box 0 0 1024x40 'a riddle' 10,20,30,255 h2 v2 wrap"}));
    EXPECT_EQ(g.calls, (Strings{"fillRect 0 0 1024 40 200,190,180,128"}));
    label.setAlignment(1, 4);
    label.setWrap(false);
    label.setText("other");
    EXPECT_EQ(fontCalls(label, font, g), (Strings{"box 0 0 1024x40 'other' 10,20,30,255 h1 v4 nowrap"}));

    TextLabelEx hidden("t", &font, kInk, kPaper, Color(1, 2, 3, 4));
    EXPECT_EQ(hidden.getSecondColour(), Color(1, 2, 3, 4));
    hidden.setSize(100, 30);
    hidden.setHidden(true);
    RecordingGraphics g2;
    EXPECT_TRUE(fontCalls(hidden, font, g2).empty());
    EXPECT_TRUE(g2.calls.empty());
}
