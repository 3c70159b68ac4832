// Sprite-sheet Animation drawn into a 1024x768 window and read back: the
// current frame's cell lands at the position given, and a mirrored frame is
// the same cell flipped left to right in the same place.
#include "engine/anim/Animation.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "tests/support/ColorText.h"
#include "tests/support/GLTestSuite.h"
#include "tests/support/TestTextures.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A 64x64 sheet of 2 x 2 cells of 32x32; cell i (numbered down the columns)
// has colour left[i] in its left 16 columns and right[i] in the others.
const Color kLeft[4] = {Color(255, 0, 0), Color(0, 255, 0), Color(0, 0, 255), Color(255, 255, 0)};
const Color kRight[4] = {Color(0, 255, 255), Color(255, 0, 255), Color(255, 255, 255), Color(128, 64, 0)};
const Color kBackground(0, 0, 0);

std::unique_ptr<GLTexture> makeSheet()
{
    return makeTexture(64, 64, [](int x, int y) {
        const int cell = (x / 32) * 2 + y / 32;
        return (x % 32) < 16 ? kLeft[cell] : kRight[cell];
    });
}

class SpriteSheetGLTest : public GLGraphicsTestSuite {
protected:
    void SetUp() override
    {
        GLGraphicsTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        gfx.fillRect(0, 0, 1024, 768, kBackground);
    }

    // Every pixel of the row segment [x, x + w) at y has colour c.
    ::testing::AssertionResult rowIs(int x, int y, int w, Color c) const
    {
        for (int i = 0; i < w; ++i) {
            const Color got = window->readPixel(x + i, y);
            if (got.r != c.r || got.g != c.g || got.b != c.b)
                return ::testing::AssertionFailure()
                       << "pixel " << x + i << "," << y << " is " << describe(got) << ", expected " << describe(c);
        }
        return ::testing::AssertionSuccess();
    }

    // The 32x32 frame at (x, y): halves `first` then `second` from the left on
    // its top, middle and bottom rows, and background just outside it.
    void expectFrame(int x, int y, Color first, Color second) const
    {
        for (int row : {y, y + 15, y + 31}) {
            EXPECT_TRUE(rowIs(x, row, 16, first));
            EXPECT_TRUE(rowIs(x + 16, row, 16, second));
            EXPECT_TRUE(rowIs(x - 1, row, 1, kBackground));
            EXPECT_TRUE(rowIs(x + 32, row, 1, kBackground));
        }
        EXPECT_TRUE(rowIs(x, y - 1, 32, kBackground));
        EXPECT_TRUE(rowIs(x, y + 32, 32, kBackground));
    }
};

} // namespace

TEST_F(SpriteSheetGLTest, DrawsTheCurrentFramesCellAtThePosition)
{
    auto sheet = makeSheet();
    Animation a(sheet.get(), 32, 32, 2, 2, 4);
    for (int frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        gfx.fillRect(0, 0, 1024, 768, kBackground);
        a.setCurrentFrame(frame);
        a.draw(gfx, 100 + frame * 50, 200, Color::white());
        expectFrame(100 + frame * 50, 200, kLeft[frame], kRight[frame]);
    }
}

TEST_F(SpriteSheetGLTest, MirroredFrameIsFlippedLeftToRightInTheSamePlace)
{
    auto sheet = makeSheet();
    Animation a(sheet.get(), 32, 32, 2, 2, 4);
    a.setCurrentFrame(2);
    a.setMirrored(true);
    a.draw(gfx, 300, 400, Color::white());
    expectFrame(300, 400, kRight[2], kLeft[2]);

    a.setMirrored(false);
    gfx.fillRect(0, 0, 1024, 768, kBackground);
    a.draw(gfx, 300, 400, Color::white());
    expectFrame(300, 400, kLeft[2], kRight[2]);
}

