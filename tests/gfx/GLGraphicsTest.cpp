// GLGraphics drawn into a 1024x768 window and read back from the back buffer
// (before any swap). Pixels are compared on their colour channels: the
// window may have no alpha channel.
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "tests/support/ColorText.h"
#include "tests/support/GLTestSuite.h"
#include "tests/support/TestTextures.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

const Color kBlack(0, 0, 0);
const Color kRed(255, 0, 0);
const Color kGreen(0, 255, 0);
const Color kBlue(0, 0, 255);
const Color kWhite(255, 255, 255);
const Color kYellow(255, 255, 0);

bool sameRgb(Color a, Color b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

class GLGraphicsTest : public GLGraphicsTestSuite {
protected:
    Color pixel(int x, int y) const { return window->readPixel(x, y); }

    // Every pixel of the box has colour c (the first mismatch is reported).
    ::testing::AssertionResult boxIs(int x, int y, int w, int h, Color c) const
    {
        std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, window->height() - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                const unsigned char* p = &px[(static_cast<size_t>(h - 1 - row) * w + col) * 4];
                const Color got(p[0], p[1], p[2]);
                if (!sameRgb(got, c))
                    return ::testing::AssertionFailure() << "pixel " << x + col << "," << y + row << " is "
                                                         << describe(got) << ", expected " << describe(c);
            }
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult pixelIs(int x, int y, Color c) const { return boxIs(x, y, 1, 1, c); }
};

} // namespace

TEST_F(GLGraphicsTest, FillRectCoversExactlyItsBox)
{
    gfx.fillRect(10, 20, 100, 50, kRed);
    EXPECT_TRUE(boxIs(10, 20, 100, 50, kRed));
    EXPECT_TRUE(boxIs(9, 19, 102, 1, kBlack));   // row above
    EXPECT_TRUE(boxIs(9, 70, 102, 1, kBlack));   // row below
    EXPECT_TRUE(boxIs(9, 20, 1, 50, kBlack));    // column left
    EXPECT_TRUE(boxIs(110, 20, 1, 50, kBlack));  // column right
}

TEST_F(GLGraphicsTest, ClipRectLimitsDrawingToTheBox)
{
    gfx.setClipRect(10, 20, 100, 50);
    gfx.enableClip(true);
    GLint box[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(10, box[0]);
    EXPECT_EQ(698, box[1]);
    EXPECT_EQ(100, box[2]);
    EXPECT_EQ(50, box[3]);

    gfx.fillRect(0, 0, 1024, 768, kGreen);
    EXPECT_TRUE(boxIs(10, 20, 100, 50, kGreen));
    EXPECT_TRUE(boxIs(9, 19, 102, 1, kBlack));
    EXPECT_TRUE(boxIs(9, 70, 102, 1, kBlack));
    EXPECT_TRUE(pixelIs(9, 40, kBlack));
    EXPECT_TRUE(pixelIs(110, 40, kBlack));
    EXPECT_TRUE(pixelIs(500, 500, kBlack));

    gfx.enableClip(false);
    gfx.fillRect(0, 0, 1024, 768, kBlue);
    EXPECT_TRUE(pixelIs(500, 500, kBlue));
}

// A 48x20 picture lives in a 64x32 texture: the texture coordinates must
// address the picture, not the whole texture.
TEST_F(GLGraphicsTest, DrawImagePlacesThePictureAtItsOwnSize)
{
    auto texture = makeTexture(48, 20, [](int x, int) { return x < 24 ? kRed : kBlue; });
    ASSERT_EQ(64, texture->getTextureWidth());
    ASSERT_EQ(32, texture->getTextureHeight());

    gfx.drawImage(200, 100, texture.get(), kWhite);
    EXPECT_TRUE(boxIs(200, 100, 24, 20, kRed));
    EXPECT_TRUE(boxIs(224, 100, 24, 20, kBlue));
    EXPECT_TRUE(boxIs(199, 99, 50, 1, kBlack));
    EXPECT_TRUE(boxIs(199, 120, 50, 1, kBlack));
    EXPECT_TRUE(boxIs(199, 100, 1, 20, kBlack));
    EXPECT_TRUE(boxIs(248, 100, 1, 20, kBlack));

    // A source rectangle picks the blue half only.
    gfx.drawImageRect(300, 100, texture.get(), Rect(24, 0, 48, 20), kWhite);
    EXPECT_TRUE(boxIs(300, 100, 24, 20, kBlue));
    EXPECT_TRUE(pixelIs(324, 100, kBlack));
}

// The source rectangles lie inside larger same-coloured areas so that the
// linear filter has no other colour to mix in at the edges.
TEST_F(GLGraphicsTest, DrawImageScaledFillsTheTargetBox)
{
    auto texture = makeTexture(64, 32, [](int x, int) { return x < 32 ? kRed : kBlue; });
    gfx.drawImageScaled(300, 200, 96, 32, texture.get(), Rect(8, 8, 56, 24), kWhite);
    EXPECT_TRUE(boxIs(300, 200, 47, 32, kRed));
    EXPECT_TRUE(boxIs(349, 200, 47, 32, kBlue));
    EXPECT_TRUE(boxIs(396, 200, 1, 32, kBlack));
    EXPECT_TRUE(boxIs(300, 232, 96, 1, kBlack));
    EXPECT_TRUE(boxIs(299, 200, 1, 32, kBlack));
    EXPECT_TRUE(boxIs(300, 199, 96, 1, kBlack));

    // Odd sizes keep their last row and column.
    auto solid = solidTexture(32, 32, kGreen);
    gfx.drawImageScaled(500, 200, 33, 11, solid.get(), Rect(8, 8, 24, 24), kWhite);
    EXPECT_TRUE(boxIs(500, 200, 33, 11, kGreen));
    EXPECT_TRUE(boxIs(533, 200, 1, 11, kBlack));
    EXPECT_TRUE(boxIs(500, 211, 33, 1, kBlack));
}

TEST_F(GLGraphicsTest, DrawImageTintsWithTheColour)
{
    auto white = solidTexture(8, 8, kWhite);
    gfx.drawImage(100, 300, white.get(), Color(255, 0, 0, 255));
    EXPECT_TRUE(boxIs(100, 300, 8, 8, kRed));

    // Half alpha over black: about half intensity.
    gfx.drawImage(120, 300, white.get(), Color(255, 255, 255, 128));
    const Color half = pixel(124, 304);
    EXPECT_NEAR(128, half.r, 2);
    EXPECT_NEAR(128, half.g, 2);
}

TEST_F(GLGraphicsTest, DrawImageQuadMapsTheCornersInOrder)
{
    // Quadrants: top-left red, top-right green, bottom-left blue, bottom-right white.
    auto texture = makeTexture(32, 32, [](int x, int y) {
        if (y < 16)
            return x < 16 ? kRed : kGreen;
        return x < 16 ? kBlue : kWhite;
    });
    // Mirrored left to right: p1 (the source's top-left) at the top-right.
    gfx.drawImageQuad(texture.get(), PointF(264, 400), PointF(200, 400), PointF(200, 464), PointF(264, 464),
                      Rect(0, 0, 32, 32), kWhite);
    EXPECT_TRUE(boxIs(234, 402, 28, 28, kRed));
    EXPECT_TRUE(boxIs(202, 402, 28, 28, kGreen));
    EXPECT_TRUE(boxIs(234, 434, 28, 28, kBlue));
    EXPECT_TRUE(boxIs(202, 434, 28, 28, kWhite));
    EXPECT_TRUE(pixelIs(264, 430, kBlack));
    EXPECT_TRUE(pixelIs(230, 464, kBlack));
}

TEST_F(GLGraphicsTest, FillTriangleFillsOnlyItsInside)
{
    gfx.fillTriangle(PointF(300, 500), PointF(400, 500), PointF(300, 600), kGreen);
    EXPECT_TRUE(pixelIs(301, 501, kGreen));
    EXPECT_TRUE(pixelIs(340, 540, kGreen));
    EXPECT_TRUE(pixelIs(397, 501, kGreen));
    EXPECT_TRUE(pixelIs(360, 560, kBlack));  // beyond the slanted side
    EXPECT_TRUE(pixelIs(299, 550, kBlack));
    EXPECT_TRUE(pixelIs(350, 499, kBlack));
}

TEST_F(GLGraphicsTest, DrawRectDrawsOnlyTheBorder)
{
    gfx.drawRect(600, 500, 50, 30, kRed);
    // Smooth lines on pixel boundaries spread over the two rows or columns
    // next to the edge.
    auto edgeLit = [this](int x1, int y1, int x2, int y2) {
        return pixel(x1, y1).r > 0 || pixel(x2, y2).r > 0;
    };
    EXPECT_TRUE(edgeLit(625, 499, 625, 500));  // top
    EXPECT_TRUE(edgeLit(625, 529, 625, 530));  // bottom
    EXPECT_TRUE(edgeLit(599, 515, 600, 515));  // left
    EXPECT_TRUE(edgeLit(649, 515, 650, 515));  // right
    EXPECT_TRUE(boxIs(603, 503, 44, 24, kBlack));
    EXPECT_TRUE(pixelIs(625, 495, kBlack));
    EXPECT_TRUE(pixelIs(655, 515, kBlack));
}

// The glow of thickness t colours the pixels reached by the shape moved by up
// to t pixels but not by every move: t pixels outside the edge and t pixels
// inside it; deeper inside and farther outside nothing is drawn.
TEST_F(GLGraphicsTest, OutlineDrawsABandAroundTheOpaquePixels)
{
    // A one-pixel hole deep inside is reached by all eight moved stamps but
    // not by the one in place; like the body, it must stay untouched.
    auto square = makeTexture(32, 32, [](int x, int y) { return x == 16 && y == 16 ? Color(0, 0, 0, 0) : kWhite; });
    gfx.drawOutline(100, 100, square.get(), kYellow, 4, 0.f);

    // Row and column through the middle of the square (100..131).
    EXPECT_TRUE(boxIs(80, 116, 16, 1, kBlack));
    EXPECT_TRUE(boxIs(96, 116, 8, 1, kYellow));   // 4 outside, 4 inside
    EXPECT_TRUE(boxIs(104, 116, 24, 1, kBlack));  // the body and its hole stay untouched
    EXPECT_TRUE(boxIs(128, 116, 8, 1, kYellow));
    EXPECT_TRUE(boxIs(136, 116, 16, 1, kBlack));
    EXPECT_TRUE(boxIs(116, 80, 1, 16, kBlack));
    EXPECT_TRUE(boxIs(116, 96, 1, 8, kYellow));
    EXPECT_TRUE(boxIs(116, 104, 1, 24, kBlack));
    EXPECT_TRUE(boxIs(116, 128, 1, 8, kYellow));
    EXPECT_TRUE(boxIs(116, 136, 1, 16, kBlack));
    // Diagonal corners are reached by the diagonal stamps.
    EXPECT_TRUE(pixelIs(96, 96, kYellow));
    EXPECT_TRUE(pixelIs(135, 135, kYellow));
    EXPECT_TRUE(pixelIs(95, 95, kBlack));
    EXPECT_TRUE(pixelIs(136, 136, kBlack));

    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    GLint alphaFunc = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &alphaFunc);
    EXPECT_EQ(GL_ALWAYS, alphaFunc);
    // Normal drawing goes on unaffected.
    gfx.fillRect(300, 300, 4, 4, kRed);
    EXPECT_TRUE(boxIs(300, 300, 4, 4, kRed));
}

TEST_F(GLGraphicsTest, OutlineOfThicknessZeroDrawsNothing)
{
    auto square = solidTexture(32, 32, kWhite);
    gfx.drawOutline(100, 100, square.get(), kYellow, 0, 0.f);
    EXPECT_TRUE(boxIs(90, 90, 52, 52, kBlack));
}

TEST_F(GLGraphicsTest, OutlineCountsOnlyPixelsAboveTheAlphaReference)
{
    // An opaque 16x16 core (8..23) in a ring of alpha 100 (0.39).
    auto texture = makeTexture(32, 32, [](int x, int y) {
        const bool core = x >= 8 && x < 24 && y >= 8 && y < 24;
        return Color(255, 255, 255, core ? 255 : 100);
    });
    gfx.drawOutline(100, 100, texture.get(), kYellow, 2, 0.5f);
    EXPECT_TRUE(boxIs(100, 116, 6, 1, kBlack));
    EXPECT_TRUE(boxIs(106, 116, 4, 1, kYellow));  // around the core only
    EXPECT_TRUE(boxIs(110, 116, 12, 1, kBlack));

    gfx.drawOutline(300, 100, texture.get(), kYellow, 2, 0.2f);
    EXPECT_TRUE(pixelIs(297, 116, kBlack));
    EXPECT_TRUE(boxIs(298, 116, 4, 1, kYellow));  // around the whole square
}

TEST_F(GLGraphicsTest, TexturedOutlineFillsTheBandWithTheTexture)
{
    auto square = solidTexture(32, 32, kWhite);
    auto fill = makeTexture(40, 40, [](int x, int) { return x < 20 ? kBlue : kGreen; });
    gfx.drawTexturedOutline(100, 100, square.get(), fill.get(), 4, 0.f);
    EXPECT_TRUE(pixelIs(95, 116, kBlack));
    EXPECT_TRUE(boxIs(96, 116, 8, 1, kBlue));
    EXPECT_TRUE(boxIs(104, 116, 24, 1, kBlack));
    EXPECT_TRUE(boxIs(128, 116, 8, 1, kGreen));
    EXPECT_TRUE(pixelIs(136, 116, kBlack));

    gfx.drawTexturedOutline(300, 100, square.get(), nullptr, 4, 0.f);
    EXPECT_TRUE(boxIs(290, 90, 52, 52, kBlack));
}

TEST_F(GLGraphicsTest, FramesAreCellsOnePixelShort)
{
    // Grid of 2 columns x 3 rows of 16x16 cells, numbered down the columns.
    const Color cells[2][3] = {{kRed, kGreen, kBlue}, {kYellow, Color(255, 0, 255), Color(0, 255, 255)}};
    auto grid = makeTexture(32, 48, [&](int x, int y) { return cells[x / 16][y / 16]; });
    gfx.drawFrameGrid(500, 100, 2, 3, 4, grid.get(), kWhite);  // column 1, row 1
    EXPECT_TRUE(boxIs(500, 100, 15, 15, cells[1][1]));
    EXPECT_TRUE(boxIs(515, 100, 1, 16, kBlack));
    EXPECT_TRUE(boxIs(500, 115, 16, 1, kBlack));

    const Color strip[4] = {kRed, kGreen, kBlue, kYellow};
    auto horizontal = makeTexture(64, 16, [&](int x, int) { return strip[x / 16]; });
    gfx.drawFrameH(600, 300, 4, 2, horizontal.get(), kWhite);
    EXPECT_TRUE(boxIs(600, 300, 15, 15, kBlue));
    EXPECT_TRUE(boxIs(615, 300, 1, 16, kBlack));
    EXPECT_TRUE(boxIs(600, 315, 16, 1, kBlack));

    auto vertical = makeTexture(16, 48, [&](int, int y) { return strip[y / 16]; });
    gfx.drawFrameV(700, 300, 3, 1, vertical.get(), kWhite);
    EXPECT_TRUE(boxIs(700, 300, 15, 15, kGreen));
    EXPECT_TRUE(boxIs(715, 300, 1, 16, kBlack));
    EXPECT_TRUE(boxIs(700, 315, 16, 1, kBlack));

    // No frames: nothing to cut, nothing drawn.
    gfx.drawFrameH(800, 300, 0, 0, horizontal.get(), kWhite);
    gfx.drawFrameGrid(800, 300, 0, 3, 0, grid.get(), kWhite);
    gfx.drawFrameGrid(800, 300, 2, 0, 0, grid.get(), kWhite);
    EXPECT_TRUE(boxIs(790, 290, 80, 80, kBlack));
}

TEST_F(GLGraphicsTest, NullTexturesDrawNothing)
{
    const Rect rect(0, 0, 32, 32);
    gfx.drawImage(10, 10, nullptr, kWhite);
    gfx.drawImageRect(10, 10, nullptr, rect, kWhite);
    gfx.drawImageScaled(10, 10, 32, 32, nullptr, rect, kWhite);
    gfx.drawFrameH(10, 10, 2, 0, nullptr, kWhite);
    gfx.drawFrameV(10, 10, 2, 0, nullptr, kWhite);
    gfx.drawFrameGrid(10, 10, 2, 2, 0, nullptr, kWhite);
    gfx.drawImageQuad(nullptr, PointF(10, 10), PointF(40, 10), PointF(40, 40), PointF(10, 40), rect, kWhite);
    gfx.drawOutline(10, 10, nullptr, kYellow, 4, 0.f);
    gfx.drawOutlineRect(10, 10, nullptr, kYellow, 4, 0.f, 32, 32, rect);
    gfx.drawTexturedOutline(10, 10, nullptr, nullptr, 4, 0.f);
    EXPECT_TRUE(boxIs(0, 0, 60, 60, kBlack));
}

// setup3D must use a real aspect ratio, and the way back to 2-D must give the
// same exact pixels as after init.
TEST_F(GLGraphicsTest, ThreeDAndBackToTwoD)
{
    gfx.setup3D(1024, 768, 0);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(1024.0 / 768.0, projection[5] / projection[0], 1e-4);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    gfx.setup2D(1024, 768, 1000);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_POLYGON_SMOOTH));
    // Blending cannot be switched off through the interface.
    gfx.setBlending(false);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    gfx.clear();
    gfx.fillRect(10, 20, 100, 50, kRed);
    EXPECT_TRUE(boxIs(10, 20, 100, 50, kRed));
    EXPECT_TRUE(boxIs(9, 19, 102, 1, kBlack));
    EXPECT_TRUE(boxIs(110, 20, 1, 50, kBlack));
}
