// Bitmap-font descriptors and text measuring, without a window: parsing,
// widths by the advance rule, kerning, bytes above 127, wrapping and the
// placing of boxed lines. Fixture fonts come from $QUILL_FIXTURES and the
// game's fonts from content/fonts/ (both written by scripts/gen-content.sh).
#include "engine/gfx/AngelFontMetrics.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextLines.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Loads the descriptor and returns what it printed.
std::string loadCapturing(AngelFontMetrics& metrics, const std::string& path, bool& ok)
{
    testing::internal::CaptureStdout();
    ok = metrics.load(path);
    return testing::internal::GetCapturedStdout();
}

class FontMetricsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(metrics.load(fixture("font_metrics.fnt")))
            << "font_metrics.fnt missing from $QUILL_FIXTURES: run scripts/gen-content.sh";
    }

    AngelFontMetrics metrics;
};

} // namespace

TEST_F(FontMetricsTest, ReadsEveryGlyphFieldPageAndKerningOfTheDescriptor)
{
    EXPECT_EQ(20, metrics.lineHeight());
    ASSERT_EQ(2u, metrics.pagePaths().size());
    EXPECT_EQ(fixture("font_metrics_0.png"), metrics.pagePaths()[0]);
    EXPECT_EQ(fixture("font_metrics_1.png"), metrics.pagePaths()[1]);
    EXPECT_EQ(13u, metrics.glyphs().size());

    const GlyphInfo* a = metrics.glyphFor('A');
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(65, a->id);
    EXPECT_EQ(0, a->x);
    EXPECT_EQ(0, a->y);
    EXPECT_EQ(8, a->width);
    EXPECT_EQ(12, a->height);
    EXPECT_EQ(1, a->xoffset);
    EXPECT_EQ(0, a->yoffset);
    EXPECT_EQ(10, a->xadvance);
    EXPECT_EQ(0, a->page);
    const GlyphInfo* c = metrics.glyphFor('C');
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(1, c->page);
    EXPECT_EQ(4, c->x);
    EXPECT_EQ(2, c->yoffset);
    // A code above 255 is kept in the table, out of reach of text bytes.
    EXPECT_EQ(1u, metrics.glyphs().count(322));
    EXPECT_EQ(nullptr, metrics.glyphFor('x'));

    // Only the two pairs below 256 are set; the pair A -> 322 is dropped and
    // must not land on 322 - 256 = 'B'.
    EXPECT_EQ(-2, a->kerning['B']);
    EXPECT_EQ(-3, a->kerning[233]);
    int nonZero = 0;
    for (int16_t k : a->kerning)
        nonZero += k != 0;
    EXPECT_EQ(2, nonZero);
}

TEST_F(FontMetricsTest, WidthFollowsTheAdvanceRuleWithKerning)
{
    EXPECT_EQ(0, metrics.textWidth(""));
    EXPECT_EQ(9, metrics.textWidth("A"));         // xadvance 10 - xoffset 1
    EXPECT_EQ(15, metrics.textWidth("AB"));       // 9 - 2 + 8
    EXPECT_EQ(17, metrics.textWidth("BA"));       // no pair B -> A
    EXPECT_EQ(24, metrics.textWidth("ACB"));      // pages do not matter
    EXPECT_EQ(30, metrics.textWidth("one"));
    EXPECT_EQ(30, metrics.textWidth("two"));
    EXPECT_EQ(30, metrics.textWidth("three"));
    EXPECT_EQ(5, metrics.textWidth(" "));
}

TEST_F(FontMetricsTest, LineBreaksAndUnknownCodesAddNothingAndForgetTheKerning)
{
    EXPECT_EQ(18, metrics.textWidth("A\nA"));     // lines are added
    EXPECT_EQ(17, metrics.textWidth("A\nB"));     // no kerning across the break
    EXPECT_EQ(17, metrics.textWidth("A\rB"));
    EXPECT_EQ(17, metrics.textWidth("AxB"));      // 'x' has no glyph
    EXPECT_EQ(17, metrics.textWidth(std::string("A\0B", 3)));
}

TEST_F(FontMetricsTest, BytesAbove127AreReadUnsigned)
{
    EXPECT_EQ(9, metrics.textWidth("\xe9"));
    EXPECT_EQ(15, metrics.textWidth("A\xe9"));    // kerning[233] of A: 9 - 3 + 9
    EXPECT_EQ(17, metrics.textWidth("\xe9\xe9")); // kerning from a high glyph
    EXPECT_EQ(0, metrics.textWidth("\xc2"));      // 322 is no byte's glyph
    EXPECT_EQ(8, metrics.textWidth("\x42"));
}

TEST_F(FontMetricsTest, GlyphWalkPlacesGlyphsAtThePenWithYOffsets)
{
    struct Seen {
        int id, left, top;
    };
    std::vector<Seen> seen;
    metrics.forEachGlyph("AB\n\xe9x C", 100, 50, [&](const GlyphInfo& glyph, int left, int top) {
        seen.push_back({glyph.id, left, top});
    });
    ASSERT_EQ(5u, seen.size());
    EXPECT_EQ(65, seen[0].id);
    EXPECT_EQ(100, seen[0].left);  // drawn at the pen, not pen + xoffset
    EXPECT_EQ(50, seen[0].top);
    EXPECT_EQ(66, seen[1].id);
    EXPECT_EQ(107, seen[1].left);  // 100 + 9 - 2
    EXPECT_EQ(53, seen[1].top);    // yoffset 3
    EXPECT_EQ(233, seen[2].id);
    EXPECT_EQ(100, seen[2].left);  // new line at x
    EXPECT_EQ(70, seen[2].top);    // one line height lower
    EXPECT_EQ(32, seen[3].id);
    EXPECT_EQ(109, seen[3].left);  // 'x' has no glyph: no move
    EXPECT_EQ(67, seen[4].id);
    EXPECT_EQ(114, seen[4].left);
    EXPECT_EQ(72, seen[4].top);
}

TEST_F(FontMetricsTest, WrapsGreedilyAtSpaces)
{
    // one two = 65, one two three = 100.
    EXPECT_EQ("one two\nthree", metrics.wrapText("one two three", 70));
    EXPECT_EQ("one two\nthree", metrics.wrapText("one two three", 65));
    EXPECT_EQ("one\ntwo\nthree", metrics.wrapText("one two three", 64));
    EXPECT_EQ("one two three", metrics.wrapText("one two three", 100));
    // Existing line feeds are parts of words ("one\ntwo" measures 60).
    EXPECT_EQ("one\ntwo\nthree", metrics.wrapText("one\ntwo three", 70));
}

TEST_F(FontMetricsTest, WrappingKeepsLongWordsWholeAndAlwaysEnds)
{
    EXPECT_EQ("onetwothree", metrics.wrapText("onetwothree", 10));
    EXPECT_EQ("one\nthreethreethree\ntwo", metrics.wrapText("one threethreethree two", 70));
    EXPECT_EQ("one\ntwo", metrics.wrapText("one two", 0));
    EXPECT_EQ("one\ntwo\nthree", metrics.wrapText("one two three", -5));
    EXPECT_EQ("", metrics.wrapText("", 70));
}

TEST_F(FontMetricsTest, BoxedLinesAlignVerticallyWithTruncatingHalves)
{
    const WidgetGeometry box(10, 0, 0, 200, 100);
    const auto bottom = metrics.layoutBox(box, "A\nA\nA", 0, 4, false);
    ASSERT_EQ(3u, bottom.size());
    EXPECT_EQ(40, bottom[0].y);
    EXPECT_EQ(60, bottom[1].y);
    EXPECT_EQ(80, bottom[2].y);
    EXPECT_EQ(10, bottom[0].x);
    EXPECT_EQ("A", bottom[2].text);

    EXPECT_EQ(20, metrics.layoutBox(box, "A\nA\nA", 0, 2, false)[0].y);
    EXPECT_EQ(0, metrics.layoutBox(box, "A\nA\nA", 0, 3, false)[0].y);  // any other value: top
    // (51 - 60) / 2 truncates toward zero: -4, not -5.
    EXPECT_EQ(-4, metrics.layoutBox(WidgetGeometry(0, 0, 0, 50, 51), "A\nA\nA", 0, 2, false)[0].y);
    // A trailing line feed makes an empty last line.
    EXPECT_EQ(2u, metrics.layoutBox(box, "A\n", 0, 0, false).size());
}

TEST_F(FontMetricsTest, BoxedLinesAlignHorizontallyAndWrapToTheBoxWidth)
{
    const WidgetGeometry box(10, 5, 0, 100, 60);
    EXPECT_EQ(95, metrics.layoutBox(box, "AB", 1, 0, false)[0].x);    // 10 + 100 - 15
    EXPECT_EQ(52, metrics.layoutBox(box, "AB", 2, 0, false)[0].x);    // 10 + 85 / 2
    EXPECT_EQ(10, metrics.layoutBox(box, "AB", 0, 0, false)[0].x);
    EXPECT_EQ(8, metrics.layoutBox(WidgetGeometry(10, 0, 0, 10, 20), "AB", 2, 0, false)[0].x);  // -5 / 2 = -2

    const auto lines = metrics.layoutBox(WidgetGeometry(0, 0, 0, 70, 100), "one two three", 1, 0, true);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("one two", lines[0].text);
    EXPECT_EQ(5, lines[0].x);
    EXPECT_EQ("three", lines[1].text);
    EXPECT_EQ(40, lines[1].x);
    EXPECT_EQ(20, lines[1].y);
    EXPECT_EQ(1u, metrics.layoutBox(WidgetGeometry(0, 0, 0, 70, 100), "one two three", 1, 0, false).size());
}

TEST(FontDescriptor, UnreadableDescriptorsLeaveAnEmptyFontAndPrintOneLineNamingTheFile)
{
    TempFolder scratch;
    const std::string cases[] = {
        scratch.path("missing.fnt"),
        scratch.write("broken.fnt", "<font><common lineHeight=\"20\"><chars></font>"),
        scratch.write("wrongroot.fnt", "<labels><common lineHeight=\"20\"/></labels>"),
        scratch.write("empty.fnt", ""),
    };
    for (const std::string& path : cases) {
        // A failed load also drops what an earlier load read.
        AngelFontMetrics metrics;
        ASSERT_TRUE(metrics.load(fixture("font_metrics.fnt")));
        bool ok = true;
        const std::string printed = loadCapturing(metrics, path, ok);
        EXPECT_FALSE(ok) << path;
        EXPECT_EQ(1, lineCount(printed)) << printed;
        EXPECT_NE(std::string::npos, printed.find(path)) << printed;
        EXPECT_EQ(0, metrics.lineHeight());
        EXPECT_TRUE(metrics.glyphs().empty());
        EXPECT_TRUE(metrics.pagePaths().empty());
        EXPECT_EQ(0, metrics.textWidth("AB"));
        EXPECT_TRUE(metrics.layoutBox(WidgetGeometry(0, 0, 0, 100, 100), "AB", 1, 4, true)[0].text == "AB");
    }
}

TEST(FontDescriptor, MalformedEntriesAreSkippedAndReportedInOneLine)
{
    TempFolder scratch;
    const std::string path = scratch.write("partial.fnt",
        "<?xml version=\"1.0\"?>\n<font>\n"
        "  <common lineHeight=\"18\" pages=\"2\"/>\n"
        "  <pages><page id=\"0\" file=\"p0.png\"/><page id=\"1\"/></pages>\n"
        "  <chars>\n"
        "    <char id=\"65\" x=\"1\" y=\"2\" width=\"3\" height=\"4\" xoffset=\"0\" yoffset=\"0\" xadvance=\"6\" page=\"0\"/>\n"
        "    <char id=\"65\" x=\"1\" y=\"2\" width=\"3\" height=\"4\" xoffset=\"0\" yoffset=\"0\" xadvance=\"7\" page=\"0\"/>\n"
        "    <char id=\"66\" xadvance=\"5\"/>\n"
        "    <char id=\"67\" x=\"12abc\" xadvance=\"5\"/>\n"
        "    <char id=\"68\" xadvance=\"99999999999999999999\"/>\n"
        "    <char id=\"70000\" xadvance=\"5\"/>\n"
        "    <char id=\"-1\" xadvance=\"5\"/>\n"
        "    <char x=\"0\" xadvance=\"5\"/>\n"
        "  </chars>\n"
        "  <kernings>\n"
        "    <kerning first=\"65\" second=\"66\" amount=\"-1\"/>\n"
        "    <kerning first=\"90\" second=\"65\" amount=\"3\"/>\n"
        "    <kerning first=\"65\" second=\"-190\" amount=\"3\"/>\n"
        "    <kerning first=\"65\" second=\"65\" amount=\"40000\"/>\n"
        "    <kerning first=\"65\" second=\"300\" amount=\"4\"/>\n"
        "  </kernings>\n"
        "</font>\n");
    AngelFontMetrics metrics;
    bool ok = false;
    const std::string printed = loadCapturing(metrics, path, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(1, lineCount(printed)) << printed;
    EXPECT_NE(std::string::npos, printed.find(path)) << printed;
    // A page without file, five chars and three kernings.
    EXPECT_NE(std::string::npos, printed.find("9 malformed entries")) << printed;

    EXPECT_EQ(18, metrics.lineHeight());
    ASSERT_EQ(2u, metrics.pagePaths().size());
    EXPECT_EQ("", metrics.pagePaths()[1]);  // keeps its place in page order
    EXPECT_EQ(2u, metrics.glyphs().size());
    EXPECT_EQ(7, metrics.glyphFor('A')->xadvance);  // the later char wins
    EXPECT_EQ(0, metrics.glyphFor('B')->width);     // missing attributes read 0
    EXPECT_EQ(11, metrics.textWidth("AB"));         // 7 - 1 + 5
    EXPECT_EQ(14, metrics.textWidth("AA"));
}

TEST(FontDescriptor, LineHeightZeroIsReportedAndNeverDividedBy)
{
    TempFolder scratch;
    const std::string path = scratch.write("flat.fnt",
        "<font><common lineHeight=\"0\"/><chars>"
        "<char id=\"65\" width=\"3\" height=\"4\" xadvance=\"6\"/></chars></font>");
    const std::string noCommon = scratch.write("nocommon.fnt",
        "<font><chars><char id=\"65\" width=\"3\" height=\"4\" xadvance=\"6\"/></chars></font>");
    AngelFontMetrics metrics;
    bool ok = false;
    EXPECT_EQ("", loadCapturing(metrics, path, ok));  // 0 is a legal, if odd, value
    EXPECT_TRUE(ok);
    EXPECT_EQ(0, metrics.lineHeight());
    for (int vAlign : {0, 2, 4}) {
        const auto lines = metrics.layoutBox(WidgetGeometry(0, 0, 0, 7, 10), "A A A", 0, vAlign, true);
        ASSERT_EQ(3u, lines.size());
        EXPECT_EQ(lines[0].y, lines[2].y);
    }

    const std::string printed = loadCapturing(metrics, noCommon, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(1, lineCount(printed));
    EXPECT_NE(std::string::npos, printed.find("lineHeight")) << printed;
    EXPECT_EQ(6, metrics.textWidth("A"));
}

// Every font the game names: present, with glyphs for all of printable
// ASCII, a line height near the size in its name, power-of-two 32-bit pages
// and every glyph inside its page.
TEST(GameFonts, EveryNamedFontLoadsWithPrintableAsciiOnPowerOfTwoPages)
{
    struct Named {
        const char* file;
        int size;  // 0: no size in the name
    };
    const Named fonts[] = {
        {"Arial12", 12},       {"Arial14", 14},       {"PH_big", 0},         {"PH_small", 0},
        {"Times16", 16},       {"Times24", 24},       {"Times16NoEff", 16},  {"Times24NoEff", 24},
        {"Times36NoEff", 36},  {"Times60_NE", 60},    {"Times24White", 24},  {"Trisk10", 10},
        {"Jester16", 16},      {"Brush22", 22},
    };
    for (const Named& font : fonts) {
        const std::string path = std::string("content/fonts/") + font.file + ".fnt";
        SCOPED_TRACE(path);
        AngelFontMetrics metrics;
        bool ok = false;
        const std::string printed = loadCapturing(metrics, path, ok);
        ASSERT_TRUE(ok) << printed << "(run scripts/gen-content.sh)";
        EXPECT_EQ("", printed);
        if (font.size > 0) {
            EXPECT_GE(metrics.lineHeight(), font.size);
            EXPECT_LE(metrics.lineHeight(), font.size * 5 / 4 + 2);
        } else {
            EXPECT_GT(metrics.lineHeight(), 0);
        }
        for (int code = 32; code < 127; ++code)
            EXPECT_NE(nullptr, metrics.glyphFor(static_cast<unsigned char>(code))) << "code " << code;
        EXPECT_GT(metrics.textWidth("Hello"), metrics.textWidth("Hell"));

        for (size_t i = 0; i < metrics.pagePaths().size(); ++i) {
            SDLSurfaceImage picture(metrics.pagePaths()[i]);
            SDL_Surface* s = picture.getSurface();
            ASSERT_NE(nullptr, s) << metrics.pagePaths()[i];
            EXPECT_EQ(32, s->format->BitsPerPixel);
            EXPECT_EQ(0, s->w & (s->w - 1)) << "width " << s->w;
            EXPECT_EQ(0, s->h & (s->h - 1)) << "height " << s->h;
            for (const auto& entry : metrics.glyphs()) {
                const GlyphInfo& g = entry.second;
                if (g.page != static_cast<int>(i))
                    continue;
                EXPECT_LE(g.x + g.width, s->w) << "glyph " << g.id;
                EXPECT_LE(g.y + g.height, s->h) << "glyph " << g.id;
            }
        }
        for (const auto& entry : metrics.glyphs())
            EXPECT_LT(entry.second.page, static_cast<int>(metrics.pagePaths().size()));
    }
}

// Fonts as other tools write them (fixtures from the generator).
TEST(FontsFromOtherTools, PagesAreTakenByTheirIdNotTheirPlaceInTheList)
{
    AngelFontMetrics metrics;
    bool ok = false;
    EXPECT_EQ("", loadCapturing(metrics, fixture("font_pages_swapped.fnt"), ok));
    ASSERT_TRUE(ok);
    ASSERT_EQ(2u, metrics.pagePaths().size());
    EXPECT_EQ(fixture("font_pages_swapped_0.png"), metrics.pagePaths()[0]);
    EXPECT_EQ(fixture("font_pages_swapped_1.png"), metrics.pagePaths()[1]);
    // Each glyph's rectangle holds its own colour on the page it names.
    const std::pair<unsigned char, Color> expected[] = {{'A', Color(255, 0, 0, 255)}, {'B', Color(0, 255, 0, 255)}};
    for (const auto& [code, colour] : expected) {
        const GlyphInfo* glyph = metrics.glyphFor(code);
        ASSERT_NE(nullptr, glyph);
        SDLSurfaceImage page(metrics.pagePaths()[static_cast<size_t>(glyph->page)]);
        EXPECT_EQ(colour, page.getPixel(glyph->x + 1, glyph->y + 1)) << code;
    }

    // Ids out of range, taken twice or fractional are skipped, leaving
    // their places empty; an entry without an id takes its place in the list.
    TempFolder scratch;
    const std::string path = scratch.write("ids.fnt",
        "<font><common lineHeight=\"9\"/><pages><page id=\"2\" file=\"c.png\"/><page file=\"a.png\"/>"
        "<page id=\"0\" file=\"x.png\"/><page id=\"2\" file=\"d.png\"/><page id=\"9\" file=\"e.png\"/>"
        "<page id=\"0.5\" file=\"f.png\"/></pages><chars><char id=\"65\" xadvance=\"4\"/></chars></font>");
    const std::string printed = loadCapturing(metrics, path, ok);
    EXPECT_NE(std::string::npos, printed.find("3 malformed entries")) << printed;
    const std::vector<std::string> pages = {scratch.path("x.png"), scratch.path("a.png"), scratch.path("c.png"),
                                            "", "", ""};
    EXPECT_EQ(pages, metrics.pagePaths());
}

TEST(FontsFromOtherTools, GlyphsOutsideTheirPageAreReportedOnceAndNotDrawn)
{
    AngelFontMetrics metrics;
    bool ok = false;
    const std::string path = fixture("font_outside.fnt");
    EXPECT_EQ("", loadCapturing(metrics, path, ok));
    ASSERT_TRUE(ok);
    ASSERT_EQ(1u, metrics.pagePaths().size());
    SDLSurfaceImage page(metrics.pagePaths()[0]);
    ASSERT_EQ(64, page.getWidth());
    const int widthBefore = metrics.textWidth("ABCD");

    testing::internal::CaptureStdout();
    EXPECT_EQ(3, metrics.dropGlyphsOutsidePages({PageSize{page.getWidth(), page.getHeight()}}));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(1, lineCount(printed)) << printed;
    for (const char* part : {"error: ", path.c_str(), "2 glyphs", "64x64", "128x128", "1 glyph is on a page"})
        EXPECT_NE(std::string::npos, printed.find(part)) << part << " in " << printed;

    // B (beyond the page), C (over its corner) and D (unlisted page) draw
    // nothing; every glyph keeps its advance.
    std::vector<int> drawn;
    metrics.forEachGlyph("ABCD", 0, 0, [&](const GlyphInfo& glyph, int, int) {
        if (glyph.width > 0 && glyph.height > 0)
            drawn.push_back(glyph.id);
    });
    EXPECT_EQ(std::vector<int>{'A'}, drawn);
    EXPECT_EQ(widthBefore, metrics.textWidth("ABCD"));

    // A page that failed to load was reported already: its glyphs are left alone.
    ASSERT_TRUE(metrics.load(path));
    testing::internal::CaptureStdout();
    EXPECT_EQ(1, metrics.dropGlyphsOutsidePages({PageSize{}}));  // only D
    EXPECT_EQ(1, lineCount(testing::internal::GetCapturedStdout()));
    EXPECT_EQ(8, metrics.glyphFor('B')->width);
}

TEST(FontsFromOtherTools, FractionalNumbersAreRoundedHalfAwayFromZero)
{
    AngelFontMetrics metrics;
    bool ok = false;
    EXPECT_EQ("", loadCapturing(metrics, fixture("font_fractional.fnt"), ok));
    ASSERT_TRUE(ok);
    EXPECT_EQ(13, metrics.lineHeight());  // 12.5
    const GlyphInfo* a = metrics.glyphFor('A');
    const GlyphInfo* b = metrics.glyphFor('B');
    ASSERT_TRUE(a && b);
    EXPECT_EQ(0, a->xoffset);    // 0.4
    EXPECT_EQ(3, a->yoffset);    // 2.5
    EXPECT_EQ(10, a->xadvance);  // 9.6
    EXPECT_EQ(-1, b->xoffset);   // -0.5
    EXPECT_EQ(-1, b->yoffset);   // -1.2
    EXPECT_EQ(8, b->xadvance);   // 8.49
    EXPECT_EQ(-2, a->kerning['B']);  // -1.5
    EXPECT_EQ(17, metrics.textWidth("AB"));  // 10 - 2 + 9

    // Codes and page numbers stay whole numbers; numbers stay plain decimals.
    TempFolder scratch;
    const std::string path = scratch.write("odd.fnt",
        "<font><common lineHeight=\"9\"/><chars>"
        "<char id=\"65.5\" xadvance=\"4\"/><char id=\"66.0\" page=\"0.25\" xadvance=\"4\"/>"
        "<char id=\"67\" xadvance=\"1e3\"/><char id=\"68\" xadvance=\"0x10\"/><char id=\"69\" xadvance=\".\"/>"
        "<char id=\"70\" xadvance=\" -.5 \"/></chars></font>");
    const std::string printed = loadCapturing(metrics, path, ok);
    EXPECT_NE(std::string::npos, printed.find("5 malformed entries")) << printed;
    ASSERT_NE(nullptr, metrics.glyphFor('F'));
    EXPECT_EQ(-1, metrics.glyphFor('F')->xadvance);
}

TEST(FontsFromOtherTools, DistanceFieldPackedTextAndBinaryFontsAreRefusedAsUnsupported)
{
    TempFolder scratch;
    const std::string packed = scratch.write("packed.fnt",
        "<font><common lineHeight=\"9\" packed=\"1\"/><chars><char id=\"65\" xadvance=\"4\"/></chars></font>");
    const std::string text = scratch.write("text.fnt",
        "info face=\"Box\" size=10\ncommon lineHeight=10 base=8 scaleW=32 scaleH=32 pages=1 packed=0\n");
    const std::string binary = scratch.write("binary.fnt", std::string("BMF\x03\x01\x0e\0\0", 8));
    for (const std::string& path : {fixture("font_sdf.fnt"), packed, text, binary}) {
        AngelFontMetrics metrics;
        ASSERT_TRUE(metrics.load(fixture("font_metrics.fnt")));
        bool ok = true;
        const std::string printed = loadCapturing(metrics, path, ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(1, lineCount(printed)) << printed;
        EXPECT_NE(std::string::npos, printed.find(path)) << printed;
        EXPECT_NE(std::string::npos, printed.find("not supported")) << printed;
        EXPECT_TRUE(metrics.glyphs().empty());
        EXPECT_TRUE(metrics.pagePaths().empty());
    }
}
