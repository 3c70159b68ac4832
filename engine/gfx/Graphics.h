#pragma once
// The drawing interface handed to every screen and widget. 2-D drawing is
// immediate-mode in an orthographic projection with the origin at the
// top-left and y growing downwards. Textured drawing takes a GLTexture and a
// source Rect in image pixels.
#include "engine/core/Types.h"
#include <cstdint>

class GLTexture;

class Graphics {
public:
    virtual ~Graphics() = default;

    virtual void resetTransform() = 0;
    virtual void clear() = 0;
    virtual void setup2D(int width, int height, int depth) = 0;
    // The third value is ignored.
    virtual void setup3D(int width, int height, int unused) = 0;
    virtual void swapBuffers() = 0;
    virtual void fillRect(int x, int y, int w, int h, Color c) = 0;
    virtual void drawRect(int x, int y, int w, int h, Color c) = 0;
    // The whole picture at its own size.
    virtual void drawImage(int x, int y, GLTexture* texture, Color c);
    // Fills [x, x+w] x [y, y+h] with the source rectangle.
    virtual void drawImageScaled(int x, int y, int w, int h, GLTexture* texture, const Rect& rect, Color c) = 0;
    // The source rectangle at its own size.
    virtual void drawImageRect(int x, int y, GLTexture* texture, const Rect& rect, Color c);
    // Frame `index` of a horizontal strip of `frameCount` frames.
    virtual void drawFrameH(int x, int y, int frameCount, int index, GLTexture* texture, Color c);
    // Frame `index` of a vertical strip.
    virtual void drawFrameV(int x, int y, int frameCount, int index, GLTexture* texture, Color c);
    // Frame `index` of a grid, numbered down the columns.
    virtual void drawFrameGrid(int x, int y, int columns, int rows, int index, GLTexture* texture, Color c);
    // true enables blending; false does nothing (blending stays on).
    virtual void setBlending(bool on) = 0;
    virtual void pushTransform() = 0;
    virtual void popTransform() = 0;
    virtual void drawLine(PointF a, PointF b, float width, bool smooth, Color c) = 0;
    // Clip box in window pixels (top-left origin).
    virtual void setClipRect(int x, int y, int w, int h) = 0;
    virtual void enableClip(bool on) = 0;
    virtual void translate(float x, float y) = 0;
    virtual void rotate(float angle, float x, float y, float z) = 0;
    virtual void scale(float sx, float sy) = 0;
    // A glow of `thickness` pixels around the pixels of the texture whose
    // alpha exceeds `alphaRef`, filled with the colour. Needs a stencil buffer.
    virtual void drawOutlineRect(int x, int y, GLTexture* texture, Color fill, int thickness, float alphaRef,
                                 int w, int h, const Rect& rect) = 0;
    virtual void drawOutline(int x, int y, GLTexture* texture, Color fill, int thickness, float alphaRef);
    // The same glow filled with a texture drawn at (x - t, y - t).
    virtual void drawTexturedOutlineRect(int x, int y, GLTexture* texture, GLTexture* fillTexture, int thickness,
                                         float alphaRef, int w, int h, const Rect& rect) = 0;
    virtual void drawTexturedOutline(int x, int y, GLTexture* texture, GLTexture* fillTexture, int thickness,
                                     float alphaRef);
    virtual void fillTriangle(PointF p1, PointF p2, PointF p3, Color c) = 0;
    // The source rectangle mapped onto a quad: (x1,y1) at p1, (x2,y1) at p2,
    // (x2,y2) at p3, (x1,y2) at p4.
    virtual void drawImageQuad(GLTexture* texture, PointF p1, PointF p2, PointF p3, PointF p4, const Rect& rect,
                               Color c) = 0;

    int getDepth() const { return depth; }
    void setDepth(int d) { depth = d; }

protected:
    // The z given to every 2-D vertex.
    int32_t depth = 0;
};
