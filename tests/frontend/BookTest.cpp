// The book and story screens without a window: the layout of book files
// on pages, the moves through the book, the turning sheet's geometry and
// events, the intro's lines and the rune sheet's spells.
#include "frontend/BookLayout.h"
#include "frontend/BookScreen.h"
#include "frontend/DiaryPage.h"
#include "frontend/PageSwitchListener.h"
#include "frontend/RuneSheet.h"
#include "frontend/TavrinIntro.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/support/GridFont.h"

#include <tinyxml.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Book {
    explicit Book(int lineHeight = 20) : font(lineHeight) {}
    // Lays the entries out on 400 x 600 pages (330 px wide text, 480 px high).
    std::vector<BookPage> load(const std::string& xml, int lastEntryId)
    {
        TiXmlDocument doc;
        doc.Parse(xml.c_str());
        BookLayout::Lookup lookup;
        lookup.label = [this](const std::string& id) { return id == "LONG" ? longText : "text of " + id; };
        lookup.font = [this](const std::string&) { return &font; };
        BookLayout layout(400, 600, lookup, ".jpg");
        std::vector<BookPage> pages;
        EXPECT_TRUE(layout.load(doc.RootElement(), lastEntryId, pages));
        return pages;
    }
    GridFont font;
    std::string longText;
};

std::vector<int> ids(const std::vector<BookPage>& pages)
{
    std::vector<int> out;
    for (const BookPage& page : pages)
        out.push_back(page.entryId);
    return out;
}

class CountingListener : public PageSwitchListener {
public:
    void onTurnFinished(int d) override { log.push_back("finished " + std::to_string(d)); }
    void onTurnStarted(int d) override { log.push_back("started " + std::to_string(d)); }
    void onTurnEnding(int d) override { log.push_back("ending " + std::to_string(d)); }
    std::vector<std::string> log;
};

// A book over plain pages, without textures; time moves by hand.
class TestBook : public BookScreen {
public:
    explicit TestBook(const std::vector<int>& entryIds)
    {
        for (int id : entryIds) {
            pages.emplace_back();
            pages.back().entryId = id;
        }
        createSheets();
    }
    void loadResources() override {}
    void build() override {}
    // The turns run on the game clock, stepped with the frames.
    void run(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            FakeAppContext::advance(10);
            onUpdate(10);
        }
    }
};

} // namespace

TEST(BookLayoutTest, EntriesUpToTheLastIdBetweenBlankPagesWithSideRules)
{
    Book book;
    const std::string entries = "<JournalEntries><JournalEntry id=\"0\"><Title text=\"T\"/></JournalEntry>"
                                "<JournalEntry id=\"1\"><Paragraph text=\"P\"/></JournalEntry>"
                                "<JournalEntry id=\"5\"><Paragraph text=\"P\"/></JournalEntry>"
                                "<JournalEntry><Paragraph text=\"P\"/></JournalEntry></JournalEntries>";
    EXPECT_EQ(ids(book.load(entries, 1)), (std::vector<int>{-1, 0, 1, -1}));
    EXPECT_EQ(ids(book.load(entries, 0)), (std::vector<int>{-1, 0, -1, -1}));
    EXPECT_EQ(ids(book.load(entries, -5)), (std::vector<int>{-1, -1}));

    // Entry 1 would start on the right page 2: "left" puts a blank there.
    const std::string sided = "<JournalEntries><JournalEntry id=\"0\"><Title text=\"T\"/></JournalEntry>"
                              "<JournalEntry id=\"1\" side=\"left\"><Title text=\"T\"/></JournalEntry>"
                              "<JournalEntry id=\"2\" side=\"left\"><Title text=\"T\"/></JournalEntry>"
                              "<JournalEntry id=\"3\" side=\"right\"><Title text=\"T\"/></JournalEntry>"
                              "</JournalEntries>";
    EXPECT_EQ(ids(book.load(sided, 3)), (std::vector<int>{-1, 0, -1, 1, -1, 2, 3, -1}));

    const std::vector<BookPage> pages = book.load(entries, 1);
    ASSERT_EQ(pages[1].elements.size(), 1u);
    const BookPageElement& title = pages[1].elements[0];
    EXPECT_EQ(title.text, "text of T");
    EXPECT_EQ(title.hAlign, BookPageElement::Centre);
    EXPECT_EQ(title.box.x, 40);
    EXPECT_EQ(title.box.y, 60);
    EXPECT_EQ(title.box.w, 330);
    EXPECT_EQ(title.box.h, 20);
}

TEST(BookLayoutTest, LongParagraphsFlowOntoPagesOfTheirEntry)
{
    Book book;
    // Words of 10 characters: 3 a line at 330 px (2 on the indented first
    // line); 24 lines fit a page, so 100 words take 34 lines on 2 pages.
    for (int i = 0; i < 100; ++i)
        book.longText += "abcdefghi ";
    const std::vector<BookPage> pages =
        book.load("<JournalEntries><JournalEntry id=\"2\"><Paragraph text=\"LONG\" align=\"right\"/>"
                  "</JournalEntry></JournalEntries>",
                  9);
    EXPECT_EQ(ids(pages), (std::vector<int>{-1, 2, 2, -1}));
    const BookPageElement& first = pages[1].elements.at(0);
    EXPECT_EQ(first.text.substr(0, 6), "     a");
    EXPECT_EQ(first.hAlign, BookPageElement::Right);
    EXPECT_EQ(first.vAlign, BookPageElement::Top);
    EXPECT_EQ(first.box.h, 24 * 20);
    const BookPageElement& rest = pages[2].elements.at(0);
    EXPECT_EQ(rest.box.y, 60);
    EXPECT_EQ(rest.text[0], ' ');
    EXPECT_EQ(first.text.find('\n'), std::string::npos);

    // Three page-heights of text make three pages.
    book.longText.clear();
    for (int i = 0; i < 3 * 24 * 3 - 1; ++i)
        book.longText += "abcdefghi ";
    EXPECT_EQ(ids(book.load("<JournalEntries><JournalEntry id=\"4\"><Paragraph text=\"LONG\"/></JournalEntry>"
                            "</JournalEntries>",
                            4)),
              (std::vector<int>{-1, 4, 4, 4, -1, -1}));
}

TEST(BookLayoutTest, AFontTallerThanThePageStillEnds)
{
    Book book(700);
    for (int i = 0; i < 10; ++i)
        book.longText += "abcdefghi ";
    const std::vector<BookPage> pages =
        book.load("<JournalEntries><JournalEntry id=\"0\"><Title text=\"T\"/><Paragraph text=\"LONG\"/>"
                  "</JournalEntry></JournalEntries>",
                  0);
    // The title's page, then one line a page: 4 lines of 3 words (the
    // first with the indent) and the blank pages around them.
    EXPECT_EQ(ids(pages), (std::vector<int>{-1, 0, 0, 0, 0, 0, -1, -1}));
}

TEST(BookLayoutTest, WrappedHeightCountsOnlyLinesWithText)
{
    GridFont font;
    EXPECT_EQ(BookLayout::wrappedHeight(&font, "abc", 100), 20);
    EXPECT_EQ(BookLayout::wrappedHeight(&font, "abcdef abcdef", 100), 40);
    EXPECT_EQ(BookLayout::wrappedHeight(&font, "abc\n \n", 100), 20);
    EXPECT_EQ(BookLayout::wrappedHeight(nullptr, "abc", 100), 0);
}

TEST(BookScreenTest, ShortBooksArePaddedAndTurnsStopAtBothEnds)
{
    FakeAppContext app;
    TestBook tiny({-1, -1});
    EXPECT_EQ(tiny.getPages().size(), 4u);
    EXPECT_FALSE(tiny.canTurnNext());
    EXPECT_TRUE(tiny.isAtLastSpread());
    EXPECT_FALSE(tiny.turnToNextPage());
    EXPECT_FALSE(tiny.turnToPreviousPage());

    TestBook book({-1, 0, 1, 2, 3, 4, 5, 6, -1, -1});
    EXPECT_TRUE(book.canTurnNext());
    EXPECT_TRUE(book.turnToNextPage());
    EXPECT_EQ(book.getCurrent(), 2);
    // A second turn waits for the first.
    EXPECT_FALSE(book.turnToNextPage());
    book.run(1000);
    EXPECT_TRUE(book.turnToNextPage());
    book.run(1000);
    EXPECT_TRUE(book.turnToNextPage());
    book.run(1000);
    EXPECT_EQ(book.getCurrent(), 6);
    EXPECT_TRUE(book.isAtLastSpread());
    EXPECT_FALSE(book.turnToNextPage());
    EXPECT_TRUE(book.turnToPreviousPage());
    book.run(1000);
    EXPECT_EQ(book.getCurrent(), 4);

    // Entry 4 lies on page 5, entry 5 on page 6: both show pages 5 and 6.
    book.openAtEntry(4);
    EXPECT_EQ(book.getCurrent(), 4);
    book.openAtEntry(5);
    EXPECT_EQ(book.getCurrent(), 4);
    book.openAtEntry(0);
    EXPECT_EQ(book.getCurrent(), 0);
    book.openAtEntry(42);
    EXPECT_EQ(book.getCurrent(), 0);
}

TEST(DiaryPageTest, HalfwayAnglesAndWidth)
{
    float bottom = 0.f, top = 0.f;
    DiaryPage::columnAngles(1, 0.5f, 0, bottom, top);
    EXPECT_FLOAT_EQ(bottom, -45.f);
    EXPECT_FLOAT_EQ(top, -45.f);
    DiaryPage::columnAngles(1, 0.5f, DiaryPage::Columns, bottom, top);
    EXPECT_FLOAT_EQ(bottom, -90.f);
    EXPECT_NEAR(top, -55.4f, 0.1f);
    // At rest a right sheet lies flat and a left one is folded over.
    DiaryPage::columnAngles(1, 0.f, 15, bottom, top);
    EXPECT_FLOAT_EQ(bottom, 0.f);
    DiaryPage::columnAngles(0, 0.f, 15, bottom, top);
    EXPECT_FLOAT_EQ(top, -180.f);
    EXPECT_FLOAT_EQ(DiaryPage::widthFactor(0.5f), 0.875f);
    EXPECT_FLOAT_EQ(DiaryPage::widthFactor(0.f), 1.f);
    EXPECT_FLOAT_EQ(DiaryPage::curl(0.5f, 0.5f, false), 0.f);
    EXPECT_FLOAT_EQ(DiaryPage::curl(0.2f, 0.f, true), 0.f);
    EXPECT_GT(DiaryPage::curl(0.2f, 0.5f, false), 0.f);
    EXPECT_LT(DiaryPage::curl(0.8f, 0.5f, false), 0.f);
}

TEST(DiaryPageTest, EachEventOncePerTurnWhateverTheFrameTimes)
{
    FakeAppContext app;  // the turn runs on its game clock
    const std::vector<std::vector<int>> frames = {{900}, {1, 900}, {7, 13, 400, 480}};
    for (const std::vector<int>& dts : frames) {
        for (int direction : {1, 0}) {
            DiaryPage sheet(nullptr, nullptr, 10.f, 15.f, nullptr);
            sheet.direction = direction;
            CountingListener listener;
            sheet.startTurn(&listener);
            for (int i = 0; i < 100 && sheet.isTurning(); ++i) {
                FakeAppContext::advance(dts[i % dts.size()]);
                sheet.advance(dts[i % dts.size()]);
            }
            FakeAppContext::advance(10);
            sheet.advance(10);
            const std::string d = direction == 1 ? "0" : "1";
            EXPECT_EQ(listener.log, (std::vector<std::string>{"started " + d, "ending " + d, "finished " + d}))
                << dts.size() << " frame times, direction " << direction;
            EXPECT_FLOAT_EQ(sheet.fraction, 1.f);
        }
    }
}

TEST(TavrinIntroTest, LinesSplitAtEveryLineFeedAndCrawlPastTheCloud)
{
    EXPECT_EQ(TavrinIntro::splitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(TavrinIntro::splitLines("one line"), (std::vector<std::string>{"one line"}));
    EXPECT_EQ(TavrinIntro::splitLines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(TavrinIntro::crawlDistance(326, 19, 4), 163 + 4 * 19);
    EXPECT_EQ(TavrinIntro::crawlDistance(325, 20, 1), 162 + 20);
}

TEST(RuneSheetTest, SpellsNeedAllThreeRunesOfTheirRow)
{
    // Minor group ids are rune numbers - 1; others do not fit and are ignored.
    const RuneSheet::RuneFlags three = RuneSheet::runesFromGroups({6, 0, 2, -1, 12, 400});
    EXPECT_EQ(three.count(), 3u);
    EXPECT_TRUE(RuneSheet::isSpellKnown(three, 1));
    EXPECT_FALSE(RuneSheet::isSpellKnown(three, 2));
    EXPECT_FALSE(RuneSheet::isSpellKnown(RuneSheet::runesFromGroups({6, 0}), 1));
    const RuneSheet::RuneFlags all = RuneSheet::runesFromGroups({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    for (int spell = 1; spell <= RuneSheet::SpellCount; ++spell)
        EXPECT_TRUE(RuneSheet::isSpellKnown(all, spell)) << spell;
    EXPECT_FALSE(RuneSheet::isSpellKnown(all, 5));
    // Spell 4 is runes 5, 4 and 10.
    EXPECT_TRUE(RuneSheet::isSpellKnown(RuneSheet::runesFromGroups({4, 3, 9}), 4));
    EXPECT_FALSE(RuneSheet::isSpellKnown(RuneSheet::runesFromGroups({4, 3, 8}), 4));
}
