#pragma once
// The benchmarks' draw list: the game's renderer (GLGraphics), noting every
// drawing call while `recording` is set, and a bare OpenGL loop that replays
// the noted calls with the least GL a frame of them needs. The ratio of the
// renderer's time to the replay's time is what the renderer adds.
//
// Noted: textured quads (drawImageScaled, drawImageQuad, and through them
// every image and frame), filled rectangles, lines, triangles, the clip box
// and glDrawArrays of float vertex arrays (the bitmap fonts' glyphs; the
// programs that use this class link with --wrap=glDrawArrays), each with the
// model-view and projection matrices it ran in (the vertex arrays also with
// their lighting and depth test: the book's lit pages in 3-D). Other drawing
// that bypasses the renderer (glBegin in the cloth, rain and lightning) is not
// in the list; the stencil passes of outlines are replayed as their plain
// quads.
#include "engine/core/Types.h"
#include "engine/gfx/GLGraphics.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

class RecordingGraphics : public GLGraphics {
public:
    // One drawing call, with the matrices it ran in.
    struct DrawOp {
        enum Kind { Quad, FreeQuad, Rect, Line, Triangle, Clip, Array } kind;
        float matrix[16];
        float projection[16];
        bool lit = false, depth = false;  // Array: lighting and depth test on
        GLuint texture = 0;
        float u1 = 0, v1 = 0, u2 = 0, v2 = 0;
        float p[8] = {};  // corners: Quad/Rect x, y, x + w, y + h; others x, y pairs
        float width = 1;
        bool flag = false;  // Line: smooth; Clip: scissor on
        int box[4] = {};    // Clip: the scissor box in GL's window rows
        GLenum mode = 0;    // Array: the primitive, and its vertices in `arrays`
        std::size_t first = 0, count = 0;
        Color colour;
    };

    bool recording = false;
    std::vector<DrawOp> ops;
    // The vertices of Array ops: x, y, z, u, v each.
    std::vector<float> arrays;

    // The recorder noting now, if any: glDrawArrays calls (the bitmap fonts'
    // glyphs) reach it through the link's wrapper of that function.
    static RecordingGraphics* active;
    void noteArrays(GLenum mode, GLint first, GLsizei count);

    void drawImageScaled(int x, int y, int w, int h, GLTexture* texture, const ::Rect& rect, Color c) override;
    void drawImageQuad(GLTexture* texture, PointF p1, PointF p2, PointF p3, PointF p4, const ::Rect& rect,
                       Color c) override;
    void fillRect(int x, int y, int w, int h, Color c) override;
    void drawLine(PointF a, PointF b, float width, bool smooth, Color c) override;
    void fillTriangle(PointF a, PointF b, PointF c3, Color c) override;
    void setClipRect(int x, int y, int w, int h) override;
    void enableClip(bool on) override;

    // Draws `ops` once in a bare loop: clear, blending on, each call with its
    // matrix and colour, glFinish.
    static void replay(const std::vector<DrawOp>& ops, const std::vector<float>& arrays);

private:
    DrawOp start(DrawOp::Kind kind, Color c) const;
    // Notes the texture's GL name and coordinates of `rect` into `op`.
    static void noteTexture(DrawOp& op, GLTexture* texture, const ::Rect& rect);
    // Notes the scissor box and switch as GL holds them now.
    void noteClip();
};
