// The benchmarks' draw list: a frame recorded through RecordingGraphics and
// replayed in the bare loop gives the same pixels, so the render / replay
// ratio compares the same work.
#include "tests/support/GLTestSuite.h"
#include "tests/support/TestTextures.h"
#include "tools/RecordingGraphics.h"

#include "engine/gfx/GLTexture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordingGraphicsTest : public GLTestSuite {
protected:
    void SetUp() override
    {
        GLTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        rec.init(1024, 768, 1000);
    }

    std::vector<unsigned char> frame() const
    {
        std::vector<unsigned char> px(1024 * 768 * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        return px;
    }

    // A frame of every kind of call: transformed and free quads, a clipped
    // rectangle, a line, a triangle and a vertex array as the fonts draw.
    void drawFrame(GLTexture* texture)
    {
        rec.resetTransform();
        rec.clear();
        rec.pushTransform();
        rec.translate(40.f, 30.f);
        rec.drawImageScaled(10, 10, 128, 96, texture, Rect(0.f, 0.f, 32.f, 32.f), Color(255, 255, 255, 200));
        rec.popTransform();
        rec.drawImageQuad(texture, PointF(300, 100), PointF(400, 120), PointF(380, 220), PointF(290, 200),
                          Rect(0.f, 0.f, 32.f, 32.f), Color::white());
        rec.setClipRect(500, 100, 50, 40);
        rec.enableClip(true);
        rec.fillRect(480, 80, 200, 200, Color(0, 200, 0, 255));
        rec.enableClip(false);
        rec.drawLine(PointF(20, 400), PointF(600, 420), 3.f, false, Color(255, 0, 0, 255));
        rec.fillTriangle(PointF(700, 300), PointF(900, 320), PointF(760, 500), Color(0, 0, 255, 128));
        const float vertices[] = {600, 600, 0, 660, 600, 0, 600, 660, 0, 660, 660, 0};
        glDisable(GL_TEXTURE_2D);
        glColor4ub(250, 250, 0, 255);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, vertices);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
    }

    RecordingGraphics rec;
};

} // namespace

TEST_F(RecordingGraphicsTest, ReplayGivesTheRecordedFramesPixels)
{
    auto texture = makeTexture(32, 32, [](int x, int y) { return Color(x * 8, y * 8, 128, 255); });
    RecordingGraphics::active = &rec;
    rec.recording = true;
    drawFrame(texture.get());
    rec.recording = false;
    RecordingGraphics::active = nullptr;
    const std::vector<unsigned char> drawn = frame();

    size_t kinds[7] = {};
    for (const RecordingGraphics::DrawOp& op : rec.ops)
        ++kinds[op.kind];
    EXPECT_EQ(kinds[RecordingGraphics::DrawOp::Quad], 1u);
    EXPECT_EQ(kinds[RecordingGraphics::DrawOp::FreeQuad], 1u);
    EXPECT_EQ(kinds[RecordingGraphics::DrawOp::Rect], 1u);
    EXPECT_EQ(kinds[RecordingGraphics::DrawOp::Line], 1u);
    EXPECT_EQ(kinds[RecordingGraphics::DrawOp::Triangle], 1u);
    EXPECT_EQ(kinds[RecordingGraphics::DrawOp::Clip], 3u);
    EXPECT_EQ(kinds[RecordingGraphics::DrawOp::Array], 1u);
    EXPECT_EQ(rec.arrays.size(), 4u * 5u);

    glClearColor(0.3f, 0.3f, 0.3f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.f, 0.f, 0.f, 0.f);
    RecordingGraphics::replay(rec.ops, rec.arrays);
    const std::vector<unsigned char> replayed = frame();
    size_t differing = 0;
    for (size_t i = 0; i < drawn.size(); i += 4)
        if (drawn[i] != replayed[i] || drawn[i + 1] != replayed[i + 1] || drawn[i + 2] != replayed[i + 2])
            ++differing;
    EXPECT_EQ(differing, 0u);
}

TEST_F(RecordingGraphicsTest, NothingIsNotedWhileNotRecording)
{
    auto texture = makeTexture(32, 32, [](int, int) { return Color::white(); });
    RecordingGraphics::active = &rec;
    drawFrame(texture.get());
    RecordingGraphics::active = nullptr;
    EXPECT_TRUE(rec.ops.empty());
    EXPECT_TRUE(rec.arrays.empty());
}
