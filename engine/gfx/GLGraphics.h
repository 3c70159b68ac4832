#pragma once
// Graphics over fixed-function OpenGL 1.x. It keeps no GL state of its own:
// every draw sets what it needs (colour, texturing, bound texture), so other
// GL code may run between calls. Needs a current GL context; the stencil
// outlines need a stencil buffer of at least 8 bits.
//
// A null texture, or one that has no GL storage (texture size 0), draws
// nothing.
#include "engine/gfx/Graphics.h"

class GLGraphics : public Graphics {
public:
    GLGraphics() = default;
    ~GLGraphics() override = default;
    GLGraphics(const GLGraphics&) = delete;
    GLGraphics& operator=(const GLGraphics&) = delete;

    // Sets up the 2-D state for a new context of width x height pixels:
    // viewport, orthographic projection with z in [-1, depth] (vertices use
    // the depth field, 0 by default), blending (source alpha, one minus source
    // alpha), a pass-all alpha test; depth, stencil, scissor and colour
    // material off. Call after every video-mode change. Remembers the window
    // height for setClipRect.
    void init(int width, int height, int depth);

    void resetTransform() override;
    void clear() override;
    void setup2D(int width, int height, int depth) override;
    // 60 degree perspective with depth test and colour material on.
    void setup3D(int width, int height, int unused) override;
    void swapBuffers() override;
    void fillRect(int x, int y, int w, int h, Color c) override;
    // Four smooth lines of width 1 along the edges.
    void drawRect(int x, int y, int w, int h, Color c) override;
    void drawImageScaled(int x, int y, int w, int h, GLTexture* texture, const Rect& rect, Color c) override;
    void setBlending(bool on) override;
    void pushTransform() override;
    void popTransform() override;
    // Line smoothing, once asked for, stays on.
    void drawLine(PointF a, PointF b, float width, bool smooth, Color c) override;
    // Needs init: the box is converted with the window height given there.
    void setClipRect(int x, int y, int w, int h) override;
    void enableClip(bool on) override;
    void translate(float x, float y) override;
    void rotate(float angle, float x, float y, float z) override;
    void scale(float sx, float sy) override;
    // Colours the pixels reached by the texture's shape moved by up to
    // `thickness` pixels in the eight directions but not by every move: the
    // halo outside the shape and a band of `thickness` pixels inside its edge
    // (covered when the image is drawn on top). Clears the stencil buffer.
    void drawOutlineRect(int x, int y, GLTexture* texture, Color fill, int thickness, float alphaRef, int w, int h,
                         const Rect& rect) override;
    // The same band, filled with `fillTexture` drawn at (x - t, y - t) at its
    // own size.
    void drawTexturedOutlineRect(int x, int y, GLTexture* texture, GLTexture* fillTexture, int thickness,
                                 float alphaRef, int w, int h, const Rect& rect) override;
    void fillTriangle(PointF p1, PointF p2, PointF p3, Color c) override;
    void drawImageQuad(GLTexture* texture, PointF p1, PointF p2, PointF p3, PointF p4, const Rect& rect,
                       Color c) override;

private:
    // The stencil passes of the outlines; `fill` draws the band.
    template <typename Fill>
    void drawStencilOutline(int x, int y, GLTexture* texture, int thickness, float alphaRef, int w, int h,
                            const Rect& rect, Fill fill);

    int windowHeight = 0;
};
