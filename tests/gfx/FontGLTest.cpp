// Bitmap fonts drawn through a real GL context (run under Xvfb) and into
// in-memory images, read back pixel by pixel. The fixture fonts are solid
// glyph boxes (see tools/gen_content.py): in font_metrics A is red (8x12,
// xoffset 1, xadvance 10), B green (8x12, yoffset 3, xadvance 8, kerning
// A->B -2), C blue on a second page; font_npot has one 300x100 page;
// font_grey one 8-bit greyscale page.
#include "engine/gfx/AngelFontGL.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "tests/support/Fixtures.h"
#include "tests/support/GLTestSuite.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextLines.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Counts C++ heap allocations while switched on, to show that drawing text
// allocates nothing per glyph. The operators are kept out of line: inlined,
// GCC pairs malloc and free across them at call sites and warns of a
// mismatch that is not there. AddressSanitizer brings its own operators, so
// sanitized builds do not count.
#if defined(__SANITIZE_ADDRESS__)
#define FONT_TEST_COUNTS_ALLOCATIONS 0
#else
#define FONT_TEST_COUNTS_ALLOCATIONS 1
#endif

namespace {
bool g_countAllocations = false;
int g_allocations = 0;
} // namespace

#if FONT_TEST_COUNTS_ALLOCATIONS
__attribute__((noinline)) void* operator new(std::size_t size)
{
    if (g_countAllocations)
        ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

__attribute__((noinline)) void operator delete(void* p) noexcept
{
    std::free(p);
}

__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#endif

namespace {

const Color kBlack(0, 0, 0);
const Color kRed(255, 0, 0);
const Color kGreen(0, 255, 0);
const Color kBlue(0, 0, 255);
const Color kWhite(255, 255, 255);
const Color kClear(0, 0, 0, 0);

std::string describe(Color c)
{
    std::ostringstream out;
    out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
    return out.str();
}

bool near(int a, int b, int tolerance)
{
    return std::abs(a - b) <= tolerance;
}

::testing::AssertionResult imagePixelIs(const Image& image, int x, int y, Color c)
{
    const Color got = image.getPixel(x, y);
    if (got == c)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "image pixel " << x << "," << y << " is " << describe(got)
                                         << ", expected " << describe(c);
}

class FontGLTest : public GLGraphicsTestSuite {
protected:
    void SetUp() override
    {
        GLGraphicsTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(fs::exists(fixture("font_metrics.fnt")) && fs::exists(fixture("font_npot.fnt")) &&
                    fs::exists(fixture("font_grey.fnt")))
            << "fixture fonts missing from $QUILL_FIXTURES: run scripts/gen-content.sh";
    }

    // Every pixel of the box has colour c on r, g, b within the tolerance.
    ::testing::AssertionResult boxIs(int x, int y, int w, int h, Color c, int tolerance = 0) const
    {
        const std::vector<unsigned char> px = read(x, y, w, h);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                const unsigned char* p = &px[(static_cast<size_t>(h - 1 - row) * w + col) * 4];
                if (!near(p[0], c.r, tolerance) || !near(p[1], c.g, tolerance) || !near(p[2], c.b, tolerance))
                    return ::testing::AssertionFailure()
                           << "pixel " << x + col << "," << y + row << " is " << describe(Color(p[0], p[1], p[2]))
                           << ", expected " << describe(c);
            }
        return ::testing::AssertionSuccess();
    }

    // Number of non-black pixels in the box.
    int litPixels(int x, int y, int w, int h) const
    {
        const std::vector<unsigned char> px = read(x, y, w, h);
        int lit = 0;
        for (size_t i = 0; i < px.size(); i += 4)
            lit += px[i] || px[i + 1] || px[i + 2];
        return lit;
    }

    std::vector<unsigned char> read(int x, int y, int w, int h) const
    {
        std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, window->height() - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        return px;
    }
};

} // namespace

TEST_F(FontGLTest, DrawsEachGlyphAtThePenWithItsYOffsetAndKerning)
{
    AngelFontGL font(fixture("font_metrics.fnt"));
    font.drawRun(gfx, 100, 50, "AB", kWhite);
    // A at the pen (not pen + xoffset); B at 100 + 9 - 2 = 107, 3 lower,
    // drawn over A's last column.
    EXPECT_TRUE(boxIs(100, 50, 7, 12, kRed));
    EXPECT_TRUE(boxIs(107, 50, 1, 3, kRed));
    EXPECT_TRUE(boxIs(107, 53, 8, 12, kGreen));
    EXPECT_TRUE(boxIs(99, 49, 17, 1, kBlack));
    EXPECT_TRUE(boxIs(99, 50, 1, 16, kBlack));
    EXPECT_TRUE(boxIs(115, 50, 1, 16, kBlack));
    EXPECT_TRUE(boxIs(100, 62, 7, 4, kBlack));
}

TEST_F(FontGLTest, SwitchesPagesAndModulatesByTheColour)
{
    AngelFontGL font(fixture("font_metrics.fnt"));
    ASSERT_EQ(2, font.pageCount());
    font.drawRun(gfx, 100, 200, "ACA", kWhite);
    EXPECT_TRUE(boxIs(100, 200, 8, 12, kRed));
    EXPECT_TRUE(boxIs(108, 200, 1, 12, kBlack));
    EXPECT_TRUE(boxIs(109, 202, 6, 10, kBlue));  // page 1
    EXPECT_TRUE(boxIs(109, 200, 6, 2, kBlack));
    EXPECT_TRUE(boxIs(116, 200, 8, 12, kRed));   // back on page 0

    font.drawRun(gfx, 300, 200, "A", Color(128, 255, 255, 255));
    EXPECT_TRUE(boxIs(300, 200, 8, 12, Color(128, 0, 0), 1));
}

TEST_F(FontGLTest, NonPowerOfTwoPageSamplesTheRightTexels)
{
    AngelFontGL font(fixture("font_npot.fnt"));
    ASSERT_NE(nullptr, font.page(0));
    ASSERT_EQ(300, font.page(0)->getWidth());
    ASSERT_EQ(512, font.page(0)->getTextureWidth());
    ASSERT_EQ(128, font.page(0)->getTextureHeight());

    font.drawRun(gfx, 300, 300, "LMR", kWhite);
    EXPECT_TRUE(boxIs(300, 300, 20, 30, kRed));
    EXPECT_TRUE(boxIs(320, 300, 4, 30, kBlack));
    EXPECT_TRUE(boxIs(324, 305, 20, 20, kBlue));
    EXPECT_TRUE(boxIs(324, 300, 20, 5, kBlack));
    EXPECT_TRUE(boxIs(348, 300, 30, 30, kGreen));  // beyond 256 across and 64 down in the page
    EXPECT_TRUE(boxIs(378, 300, 1, 30, kBlack));
}

TEST_F(FontGLTest, GreyscalePageBecomesWhiteCoverageByTheImageRule)
{
    AngelFontGL font(fixture("font_grey.fnt"));
    ASSERT_NE(nullptr, font.page(0));
    // On screen over black: coverage 254 for white, 119 for grey 120, 0 for black.
    font.drawRun(gfx, 50, 400, "WGK", kWhite);
    EXPECT_TRUE(boxIs(50, 400, 6, 8, Color(254, 254, 254), 1));
    EXPECT_TRUE(boxIs(58, 400, 6, 8, Color(119, 119, 119), 1));
    EXPECT_TRUE(boxIs(66, 400, 6, 8, kBlack));

    // Copied into an image the alphas come out exactly: (255+255+255) x
    // 0.3333 = 254 and (120+120+120) x 0.3333 = 119.
    SDLSurfaceImage target(32, 16);
    const uint8_t copy = 0;
    font.drawText(target.graphics(), 0, 0, "WGK", kWhite, &copy);
    EXPECT_TRUE(imagePixelIs(target, 0, 0, Color(255, 255, 255, 254)));
    EXPECT_TRUE(imagePixelIs(target, 8, 7, Color(255, 255, 255, 119)));
    EXPECT_TRUE(imagePixelIs(target, 16, 0, Color(255, 255, 255, 0)));
}

TEST_F(FontGLTest, BoxedRunsAlignToTheBoxEdges)
{
    AngelFontGL font(fixture("font_metrics.fnt"));
    // Bottom: 3 lines of 20 in a box of 100 start at 40.
    font.drawTextInBoxRuns(gfx, WidgetGeometry(500, 0, 0, 200, 100), "A\nA\nA", kWhite, 0, 4, false);
    EXPECT_TRUE(boxIs(500, 39, 8, 1, kBlack));
    EXPECT_TRUE(boxIs(500, 40, 8, 12, kRed));
    EXPECT_TRUE(boxIs(500, 60, 8, 12, kRed));
    EXPECT_TRUE(boxIs(500, 80, 8, 12, kRed));
    EXPECT_TRUE(boxIs(500, 92, 8, 8, kBlack));

    // Right: "AB" (15 wide) ends at the box's right edge, 700.
    font.drawTextInBox(gfx, WidgetGeometry(600, 200, 0, 100, 40), "AB", kWhite, 1, 0, false);
    EXPECT_TRUE(boxIs(685, 200, 7, 12, kRed));
    EXPECT_TRUE(boxIs(692, 203, 8, 12, kGreen));
    EXPECT_TRUE(boxIs(700, 200, 1, 15, kBlack));
    EXPECT_TRUE(boxIs(684, 200, 1, 15, kBlack));

    // Wrapped and centred: "one two" and "three" on two lines.
    gfx.clear();
    font.drawTextInBoxRuns(gfx, WidgetGeometry(100, 500, 0, 70, 100), "one two three", kWhite, 2, 0, true);
    EXPECT_GT(litPixels(102, 504, 65, 10), 0);   // "one two" at 100 + 5 / 2
    EXPECT_GT(litPixels(120, 524, 30, 12), 0);   // "three" at 100 + 40 / 2
    EXPECT_EQ(0, litPixels(100, 540, 70, 20));   // no third line
}

TEST_F(FontGLTest, DrawsIntoImagesAtTheSamePlacesWithoutColour)
{
    AngelFontGL font(fixture("font_metrics.fnt"));
    SDLSurfaceImage target(64, 48);
    const uint8_t copy = 0;
    font.drawText(target.graphics(), 2, 3, "AB\nA", Color(0, 0, 0, 255), &copy);
    EXPECT_TRUE(imagePixelIs(target, 2, 3, Color(255, 0, 0, 255)));
    EXPECT_TRUE(imagePixelIs(target, 9, 4, Color(255, 0, 0, 255)));
    EXPECT_TRUE(imagePixelIs(target, 9, 6, Color(0, 255, 0, 255)));
    EXPECT_TRUE(imagePixelIs(target, 16, 17, Color(0, 255, 0, 255)));
    EXPECT_TRUE(imagePixelIs(target, 17, 6, kClear));
    EXPECT_TRUE(imagePixelIs(target, 2, 15, kClear));
    EXPECT_TRUE(imagePixelIs(target, 2, 23, Color(255, 0, 0, 255)));  // second line, 20 lower

    SDLSurfaceImage boxed(64, 32);
    font.drawTextInBox(boxed.graphics(), WidgetGeometry(0, 0, 0, 64, 32), "AB", kWhite, 1, 4, false, &copy);
    EXPECT_TRUE(imagePixelIs(boxed, 49, 12, Color(255, 0, 0, 255)));  // x 64 - 15, y 32 - 20
    EXPECT_TRUE(imagePixelIs(boxed, 63, 26, Color(0, 255, 0, 255)));
    EXPECT_TRUE(imagePixelIs(boxed, 48, 12, kClear));
    EXPECT_TRUE(imagePixelIs(boxed, 63, 27, kClear));

    // With the extra byte set the glyphs are blended over the target.
    SDLSurfaceImage blended(16, 16);
    blended.graphics()->fillRect(0, 0, 16, 16, Color(0, 0, 255, 255));
    const uint8_t blend = 1;
    font.drawText(blended.graphics(), 0, 0, "A", kWhite, &blend);
    EXPECT_TRUE(imagePixelIs(blended, 0, 0, Color(255, 0, 0, 255)));
    EXPECT_TRUE(imagePixelIs(blended, 8, 0, Color(0, 0, 255, 255)));
}

TEST_F(FontGLTest, MissingDescriptorMeasuresZeroAndDrawsNothing)
{
    const std::string path = "content/fonts/NoSuchFont.fnt";
    testing::internal::CaptureStdout();
    AngelFontGL font(path);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(1, lineCount(printed)) << printed;
    EXPECT_NE(std::string::npos, printed.find(path)) << printed;

    EXPECT_EQ(0, font.textWidth("AB"));
    EXPECT_EQ(0, font.getLineHeight());
    EXPECT_EQ(0, font.pageCount());
    font.drawRun(gfx, 10, 10, "AB", kWhite);
    font.drawTextInBoxRuns(gfx, WidgetGeometry(0, 0, 0, 300, 300), "one two three", kWhite, 2, 2, true);
    EXPECT_EQ(0, litPixels(0, 0, 300, 300));
    SDLSurfaceImage target(16, 16);
    const uint8_t copy = 0;
    font.drawTextInBox(target.graphics(), WidgetGeometry(0, 0, 0, 16, 16), "AB", kWhite, 0, 0, true, &copy);
    font.drawText(target.graphics(), 0, 0, "AB", kWhite, &copy);
    EXPECT_TRUE(imagePixelIs(target, 0, 0, kClear));
    font.releaseGpu();
    font.reloadGpu();
}

TEST_F(FontGLTest, MissingPageImageLeavesThatPageEmptyAndTheRestWorking)
{
    TempFolder scratch;
    fs::copy_file(fixture("font_metrics_1.png"), scratch.path("second.png"));
    const std::string path = scratch.write("halfpages.fnt",
        "<font><common lineHeight=\"20\" pages=\"2\"/>"
        "<pages><page id=\"0\" file=\"gone.png\"/><page id=\"1\" file=\"second.png\"/></pages><chars>"
        "<char id=\"65\" x=\"0\" y=\"0\" width=\"8\" height=\"12\" xoffset=\"1\" yoffset=\"0\" xadvance=\"10\" page=\"0\"/>"
        "<char id=\"67\" x=\"4\" y=\"4\" width=\"6\" height=\"10\" xoffset=\"0\" yoffset=\"2\" xadvance=\"7\" page=\"1\"/>"
        "</chars></font>");
    testing::internal::CaptureStdout();
    AngelFontGL font(path);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(1, lineCount(printed)) << printed;
    EXPECT_NE(std::string::npos, printed.find(scratch.path("gone.png"))) << printed;

    ASSERT_EQ(2, font.pageCount());
    EXPECT_EQ(nullptr, font.page(0));
    EXPECT_NE(nullptr, font.page(1));
    EXPECT_EQ(16, font.textWidth("AC"));
    font.drawRun(gfx, 100, 100, "ACA", kWhite);
    EXPECT_EQ(0, litPixels(100, 100, 8, 12));
    EXPECT_TRUE(boxIs(109, 102, 6, 10, kBlue));
    EXPECT_EQ(0, litPixels(116, 100, 8, 12));

    SDLSurfaceImage target(32, 16);
    const uint8_t copy = 0;
    font.drawText(target.graphics(), 0, 0, "AC", kWhite, &copy);
    EXPECT_TRUE(imagePixelIs(target, 0, 0, kClear));
    EXPECT_TRUE(imagePixelIs(target, 9, 2, Color(0, 0, 255, 255)));
}

// Fonts as other tools write them: pages listed out of order draw their own
// glyphs, and glyphs beyond a page of another size draw nothing, with one line.
TEST_F(FontGLTest, FontsFromOtherToolsDrawTheirOwnGlyphsOrNothing)
{
    AngelFontGL swapped(fixture("font_pages_swapped.fnt"));
    swapped.drawRun(gfx, 100, 300, "AB", kWhite);
    EXPECT_TRUE(boxIs(100, 300, 8, 8, kRed));
    EXPECT_TRUE(boxIs(109, 300, 8, 8, kGreen));

    testing::internal::CaptureStdout();
    AngelFontGL outside(fixture("font_outside.fnt"));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(1, lineCount(printed)) << printed;
    EXPECT_NE(std::string::npos, printed.find(fixture("font_outside.fnt"))) << printed;
    outside.drawRun(gfx, 100, 400, "ABCD", kWhite);
    EXPECT_TRUE(boxIs(100, 400, 8, 8, kRed));
    EXPECT_EQ(0, litPixels(109, 395, 40, 20));
}

TEST_F(FontGLTest, ReleasingAndReloadingTheGpuRestoresThePages)
{
    AngelFontGL font(fixture("font_metrics.fnt"));
    font.releaseGpu();
    EXPECT_EQ(static_cast<uint32_t>(-1), font.page(0)->getGLName());
    EXPECT_EQ(static_cast<uint32_t>(-1), font.page(1)->getGLName());
    font.reloadGpu();
    ASSERT_NE(static_cast<uint32_t>(-1), font.page(0)->getGLName());
    font.drawRun(gfx, 40, 40, "AC", kWhite);
    EXPECT_TRUE(boxIs(40, 40, 8, 12, kRed));
    EXPECT_TRUE(boxIs(49, 42, 6, 10, kBlue));
}

TEST_F(FontGLTest, DrawingAllocatesNothingPerGlyph)
{
    if (!FONT_TEST_COUNTS_ALLOCATIONS)
        GTEST_SKIP() << "allocations are not counted under AddressSanitizer";
    AngelFontGL font(fixture("font_metrics.fnt"));
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "AB C\xe9one\n";
    SDLSurfaceImage target(64, 64);
    const uint8_t copy = 0;
    font.drawRun(gfx, 0, 0, text, kWhite);  // lets the driver settle its own state first

    g_allocations = 0;
    g_countAllocations = true;
    font.drawRun(gfx, 0, 0, text, kWhite);
    font.drawText(target.graphics(), 0, 0, text, kWhite, &copy);
    g_countAllocations = false;
    EXPECT_EQ(0, g_allocations);
}

TEST_F(FontGLTest, GameFontDrawsInsideItsLineBox)
{
    AngelFontGL font("content/fonts/Times24NoEff.fnt");
    ASSERT_GT(font.getLineHeight(), 0) << "run scripts/gen-content.sh";
    const std::string text = "Hello, World \xc9t\xe9";
    const int x = 200, y = 600;
    const int w = font.textWidth(text), h = font.getLineHeight();
    font.drawRun(gfx, x, y, text, kWhite);
    const int inside = litPixels(x, y, w + 2, h);
    EXPECT_GT(inside, 300);
    EXPECT_EQ(inside, litPixels(x - 40, y - 40, w + 80, h + 80));
}
