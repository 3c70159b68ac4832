#pragma once
// The benchmarks' draw list: the game's renderer (GLGraphics), noting every
// drawing call while `recording` is set, and a bare OpenGL loop that replays
// the noted calls with the least GL a frame of them needs. The ratio of the
// renderer's time to the replay's time is what the renderer adds.
//
// Noted: textured quads (drawImageScaled, drawImageQuad, and through them
// every image, frame and text glyph), filled rectangles, lines, triangles
// and the clip box, each with the model-view matrix it ran in. Drawing that
// bypasses the renderer (GL vertex arrays of effect widgets) is not in the
// list; the stencil passes of outlines are replayed as their plain quads.
#include "engine/core/Types.h"
#include "engine/gfx/GLGraphics.h"

#include <GL/gl.h>

#include <vector>

class RecordingGraphics : public GLGraphics {
public:
    // One drawing call, with the model-view matrix it ran in.
    struct DrawOp {
        enum Kind { Quad, FreeQuad, Rect, Line, Triangle, Clip } kind;
        float matrix[16];
        GLuint texture = 0;
        float u1 = 0, v1 = 0, u2 = 0, v2 = 0;
        float p[8] = {};  // corners: Quad/Rect x, y, x + w, y + h; others x, y pairs
        float width = 1;
        bool flag = false;  // Line: smooth; Clip: scissor on
        int box[4] = {};    // Clip: the scissor box in GL's window rows
        Color colour;
    };

    bool recording = false;
    std::vector<DrawOp> ops;

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
    static void replay(const std::vector<DrawOp>& ops);

private:
    DrawOp start(DrawOp::Kind kind, Color c) const;
    // Notes the texture's GL name and coordinates of `rect` into `op`.
    static void noteTexture(DrawOp& op, GLTexture* texture, const ::Rect& rect);
    // Notes the scissor box and switch as GL holds them now.
    void noteClip();
};
