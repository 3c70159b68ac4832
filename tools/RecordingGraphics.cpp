#include "tools/RecordingGraphics.h"

#include "engine/gfx/GLTexture.h"

#include <cstring>

namespace {

bool drawable(const GLTexture* texture)
{
    return texture && texture->getTextureWidth() > 0 && texture->getTextureHeight() > 0;
}

void setCapability(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

} // namespace

RecordingGraphics* RecordingGraphics::active = nullptr;

extern "C" void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);

extern "C" void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    if (RecordingGraphics::active && RecordingGraphics::active->recording)
        RecordingGraphics::active->noteArrays(mode, first, count);
    __real_glDrawArrays(mode, first, count);
}

void RecordingGraphics::noteArrays(GLenum mode, GLint first, GLsizei count)
{
    GLint size = 0, type = 0, stride = 0, texSize = 0, texType = 0, texStride = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_SIZE, &size);
    glGetIntegerv(GL_VERTEX_ARRAY_TYPE, &type);
    glGetIntegerv(GL_VERTEX_ARRAY_STRIDE, &stride);
    const bool textured = glIsEnabled(GL_TEXTURE_COORD_ARRAY) == GL_TRUE;
    glGetIntegerv(GL_TEXTURE_COORD_ARRAY_SIZE, &texSize);
    glGetIntegerv(GL_TEXTURE_COORD_ARRAY_TYPE, &texType);
    glGetIntegerv(GL_TEXTURE_COORD_ARRAY_STRIDE, &texStride);
    void* vertexData = nullptr;
    void* texData = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &vertexData);
    glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &texData);
    // Only tightly packed float arrays (what the engine draws) are noted.
    if (glIsEnabled(GL_VERTEX_ARRAY) != GL_TRUE || !vertexData || type != GL_FLOAT || stride != 0 || size < 2 ||
        (textured && (!texData || texType != GL_FLOAT || texStride != 0 || texSize != 2)))
        return;
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    DrawOp op = start(DrawOp::Array, Color(static_cast<uint8_t>(colour[0] * 255.f + 0.5f),
                                           static_cast<uint8_t>(colour[1] * 255.f + 0.5f),
                                           static_cast<uint8_t>(colour[2] * 255.f + 0.5f),
                                           static_cast<uint8_t>(colour[3] * 255.f + 0.5f)));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    op.texture = textured && glIsEnabled(GL_TEXTURE_2D) == GL_TRUE ? static_cast<GLuint>(bound) : 0;
    op.lit = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    op.depth = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    op.mode = mode;
    op.first = arrays.size() / 5;
    op.count = static_cast<size_t>(count);
    const auto* v = static_cast<const float*>(vertexData);
    const auto* t = static_cast<const float*>(texData);
    for (GLsizei i = first; i < first + count; ++i) {
        const float* p = v + i * size;
        arrays.insert(arrays.end(), {p[0], p[1], size > 2 ? p[2] : 0.f, op.texture ? t[2 * i] : 0.f,
                                     op.texture ? t[2 * i + 1] : 0.f});
    }
    ops.push_back(op);
}

RecordingGraphics::DrawOp RecordingGraphics::start(DrawOp::Kind kind, Color c) const
{
    DrawOp op{};
    op.kind = kind;
    op.colour = c;
    glGetFloatv(GL_MODELVIEW_MATRIX, op.matrix);
    glGetFloatv(GL_PROJECTION_MATRIX, op.projection);
    return op;
}

void RecordingGraphics::noteTexture(DrawOp& op, GLTexture* texture, const ::Rect& rect)
{
    GLint bound = 0;
    texture->bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    op.texture = static_cast<GLuint>(bound);
    const float tw = static_cast<float>(texture->getTextureWidth());
    const float th = static_cast<float>(texture->getTextureHeight());
    op.u1 = rect.x1 / tw, op.u2 = rect.x2 / tw, op.v1 = rect.y1 / th, op.v2 = rect.y2 / th;
}

void RecordingGraphics::drawImageScaled(int x, int y, int w, int h, GLTexture* texture, const ::Rect& rect, Color c)
{
    if (recording && drawable(texture)) {
        DrawOp op = start(DrawOp::Quad, c);
        noteTexture(op, texture, rect);
        op.p[0] = static_cast<float>(x), op.p[1] = static_cast<float>(y);
        op.p[2] = static_cast<float>(x + w), op.p[3] = static_cast<float>(y + h);
        ops.push_back(op);
    }
    GLGraphics::drawImageScaled(x, y, w, h, texture, rect, c);
}

void RecordingGraphics::drawImageQuad(GLTexture* texture, PointF p1, PointF p2, PointF p3, PointF p4,
                                      const ::Rect& rect, Color c)
{
    if (recording && drawable(texture)) {
        DrawOp op = start(DrawOp::FreeQuad, c);
        noteTexture(op, texture, rect);
        const PointF corners[4] = {p1, p2, p3, p4};
        for (int i = 0; i < 4; ++i)
            op.p[2 * i] = corners[i].x, op.p[2 * i + 1] = corners[i].y;
        ops.push_back(op);
    }
    GLGraphics::drawImageQuad(texture, p1, p2, p3, p4, rect, c);
}

void RecordingGraphics::fillRect(int x, int y, int w, int h, Color c)
{
    if (recording) {
        DrawOp op = start(DrawOp::Rect, c);
        op.p[0] = static_cast<float>(x), op.p[1] = static_cast<float>(y);
        op.p[2] = static_cast<float>(x + w), op.p[3] = static_cast<float>(y + h);
        ops.push_back(op);
    }
    GLGraphics::fillRect(x, y, w, h, c);
}

void RecordingGraphics::drawLine(PointF a, PointF b, float width, bool smooth, Color c)
{
    if (recording) {
        DrawOp op = start(DrawOp::Line, c);
        op.p[0] = a.x, op.p[1] = a.y, op.p[2] = b.x, op.p[3] = b.y;
        op.width = width;
        op.flag = smooth;
        ops.push_back(op);
    }
    GLGraphics::drawLine(a, b, width, smooth, c);
}

void RecordingGraphics::fillTriangle(PointF a, PointF b, PointF c3, Color c)
{
    if (recording) {
        DrawOp op = start(DrawOp::Triangle, c);
        op.p[0] = a.x, op.p[1] = a.y, op.p[2] = b.x, op.p[3] = b.y, op.p[4] = c3.x, op.p[5] = c3.y;
        ops.push_back(op);
    }
    GLGraphics::fillTriangle(a, b, c3, c);
}

void RecordingGraphics::noteClip()
{
    if (!recording)
        return;
    DrawOp op = start(DrawOp::Clip, Color());
    glGetIntegerv(GL_SCISSOR_BOX, op.box);
    op.flag = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
    ops.push_back(op);
}

void RecordingGraphics::setClipRect(int x, int y, int w, int h)
{
    GLGraphics::setClipRect(x, y, w, h);
    noteClip();
}

void RecordingGraphics::enableClip(bool on)
{
    GLGraphics::enableClip(on);
    noteClip();
}

void RecordingGraphics::replay(const std::vector<DrawOp>& ops, const std::vector<float>& arrays)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The projection changes only between the 2-D screen and a 3-D part
    // (the book), so it is loaded when it differs from the last one.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    const float* projection = nullptr;
    bool lit = false, depth = false;
    for (const DrawOp& op : ops) {
        if (op.kind == DrawOp::Clip) {
            glScissor(op.box[0], op.box[1], op.box[2], op.box[3]);
            if (op.flag)
                glEnable(GL_SCISSOR_TEST);
            else
                glDisable(GL_SCISSOR_TEST);
            continue;
        }
        if (!projection || std::memcmp(projection, op.projection, sizeof op.projection) != 0) {
            projection = op.projection;
            glMatrixMode(GL_PROJECTION);
            glLoadMatrixf(projection);
            glMatrixMode(GL_MODELVIEW);
        }
        if (op.lit != lit)
            setCapability(GL_LIGHTING, lit = op.lit);
        if (op.depth != depth)
            setCapability(GL_DEPTH_TEST, depth = op.depth);
        glLoadMatrixf(op.matrix);
        glColor4ub(op.colour.r, op.colour.g, op.colour.b, op.colour.a);
        const float* p = op.p;
        switch (op.kind) {
        case DrawOp::Quad:
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, op.texture);
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(op.u2, op.v1), glVertex2f(p[2], p[1]);
            glTexCoord2f(op.u1, op.v1), glVertex2f(p[0], p[1]);
            glTexCoord2f(op.u2, op.v2), glVertex2f(p[2], p[3]);
            glTexCoord2f(op.u1, op.v2), glVertex2f(p[0], p[3]);
            glEnd();
            break;
        case DrawOp::FreeQuad:
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, op.texture);
            glBegin(GL_QUADS);
            glTexCoord2f(op.u1, op.v1), glVertex2f(p[0], p[1]);
            glTexCoord2f(op.u2, op.v1), glVertex2f(p[2], p[3]);
            glTexCoord2f(op.u2, op.v2), glVertex2f(p[4], p[5]);
            glTexCoord2f(op.u1, op.v2), glVertex2f(p[6], p[7]);
            glEnd();
            break;
        case DrawOp::Rect:
            glDisable(GL_TEXTURE_2D);
            glRectf(p[0], p[1], p[2], p[3]);
            break;
        case DrawOp::Line:
            glDisable(GL_TEXTURE_2D);
            if (op.flag)
                glEnable(GL_LINE_SMOOTH);
            glLineWidth(op.width);
            glBegin(GL_LINES);
            glVertex2f(p[0], p[1]), glVertex2f(p[2], p[3]);
            glEnd();
            break;
        case DrawOp::Triangle:
            glDisable(GL_TEXTURE_2D);
            glBegin(GL_TRIANGLES);
            glVertex2f(p[0], p[1]), glVertex2f(p[2], p[3]), glVertex2f(p[4], p[5]);
            glEnd();
            break;
        case DrawOp::Array: {
            if (op.texture) {
                glEnable(GL_TEXTURE_2D);
                glBindTexture(GL_TEXTURE_2D, op.texture);
            } else {
                glDisable(GL_TEXTURE_2D);
            }
            const float* v = arrays.data() + op.first * 5;
            glBegin(op.mode);
            for (size_t i = 0; i < op.count; ++i, v += 5) {
                if (op.texture)
                    glTexCoord2f(v[3], v[4]);
                glVertex3f(v[0], v[1], v[2]);
            }
            glEnd();
            break;
        }
        case DrawOp::Clip:
            break;
        }
    }
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFinish();
}
