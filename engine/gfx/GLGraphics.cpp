#include "engine/gfx/GLGraphics.h"

#include "engine/gfx/GLCheck.h"
#include "engine/gfx/GLTexture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

namespace {

void setColor(Color c)
{
    // glColor4ub converts each byte to byte / 255.
    glColor4ub(c.r, c.g, c.b, c.a);
}

// A texture without GL storage would give infinite texture coordinates.
bool drawable(const GLTexture* texture)
{
    return texture && texture->getTextureWidth() > 0 && texture->getTextureHeight() > 0;
}

void setOrtho2D(int width, int height, int depth)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -depth, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

// The 2-D switches shared by init and setup2D. Polygon smoothing is switched
// off as well: setup3D turns it on, and left on it would soften the edges of
// every 2-D quad after a 3-D screen.
void set2DSwitches()
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_POLYGON_SMOOTH);
}

} // namespace

void GLGraphics::init(int width, int height, int depth)
{
    windowHeight = height;
    glClearColor(0.f, 0.f, 0.f, 0.f);
    glViewport(0, 0, width, height);
    setOrtho2D(width, height, depth);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Alpha test on but passing everything; only the outline narrows it.
    glAlphaFunc(GL_ALWAYS, 0.f);
    set2DSwitches();
    // After the switches: a scissor box left on would limit the clear.
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glCheckPending();
}

void GLGraphics::resetTransform()
{
    glLoadIdentity();
}

void GLGraphics::clear()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GLGraphics::setup2D(int width, int height, int depth)
{
    setOrtho2D(width, height, depth);
    set2DSwitches();
    glLoadIdentity();
}

void GLGraphics::setup3D(int width, int height, int /*unused*/)
{
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_POLYGON_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Floating-point aspect: 1024 / 768 in integers would be 1.
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    gluPerspective(60.0, aspect, 0.1, 1000.0);
    glDepthRange(0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_SCISSOR_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glLoadIdentity();
}

void GLGraphics::swapBuffers()
{
    SDL_GL_SwapBuffers();
}

void GLGraphics::fillRect(int x, int y, int w, int h, Color c)
{
    const float z = static_cast<float>(depth);
    glDisable(GL_TEXTURE_2D);
    setColor(c);
    glBegin(GL_QUADS);
    glVertex3f(static_cast<float>(x), static_cast<float>(y), z);
    glVertex3f(static_cast<float>(x + w), static_cast<float>(y), z);
    glVertex3f(static_cast<float>(x + w), static_cast<float>(y + h), z);
    glVertex3f(static_cast<float>(x), static_cast<float>(y + h), z);
    glEnd();
}

void GLGraphics::drawRect(int x, int y, int w, int h, Color c)
{
    const PointF topLeft(static_cast<float>(x), static_cast<float>(y));
    const PointF topRight(static_cast<float>(x + w), static_cast<float>(y));
    const PointF bottomRight(static_cast<float>(x + w), static_cast<float>(y + h));
    const PointF bottomLeft(static_cast<float>(x), static_cast<float>(y + h));
    drawLine(topLeft, topRight, 1.f, true, c);
    drawLine(topRight, bottomRight, 1.f, true, c);
    drawLine(bottomRight, bottomLeft, 1.f, true, c);
    drawLine(bottomLeft, topLeft, 1.f, true, c);
}

// The strip fills [x, x+w] x [y, y+h]. The corners are worked out here rather
// than through a matrix push and translation: under software GL every matrix
// change costs the rasterizer a state change per quad.
void GLGraphics::drawImageScaled(int x, int y, int w, int h, GLTexture* texture, const Rect& rect, Color c)
{
    if (!drawable(texture))
        return;
    const float texW = static_cast<float>(texture->getTextureWidth());
    const float texH = static_cast<float>(texture->getTextureHeight());
    const float u1 = rect.x1 / texW, u2 = rect.x2 / texW;
    const float v1 = rect.y1 / texH, v2 = rect.y2 / texH;
    const float left = static_cast<float>(x), right = static_cast<float>(x + w);
    const float top = static_cast<float>(y), bottom = static_cast<float>(y + h);
    const float z = static_cast<float>(depth);

    setColor(c);
    glEnable(GL_TEXTURE_2D);
    texture->bind();
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(u2, v1);
    glVertex3f(right, top, z);
    glTexCoord2f(u1, v1);
    glVertex3f(left, top, z);
    glTexCoord2f(u2, v2);
    glVertex3f(right, bottom, z);
    glTexCoord2f(u1, v2);
    glVertex3f(left, bottom, z);
    glEnd();
}

void GLGraphics::setBlending(bool on)
{
    // Switching blending off is not offered: the 2-D drawing relies on it.
    if (on)
        glEnable(GL_BLEND);
}

void GLGraphics::pushTransform()
{
    glPushMatrix();
}

void GLGraphics::popTransform()
{
    glPopMatrix();
}

void GLGraphics::drawLine(PointF a, PointF b, float width, bool smooth, Color c)
{
    const float z = static_cast<float>(depth);
    glDisable(GL_TEXTURE_2D);
    if (smooth)
        glEnable(GL_LINE_SMOOTH);
    glLineWidth(width);
    setColor(c);
    glBegin(GL_LINES);
    glVertex3f(a.x, a.y, z);
    glVertex3f(b.x, b.y, z);
    glEnd();
}

void GLGraphics::setClipRect(int x, int y, int w, int h)
{
    // GL counts scissor rows from the bottom of the window.
    glCheck(glScissor(x, windowHeight - y - h, w, h));
}

void GLGraphics::enableClip(bool on)
{
    if (on)
        glEnable(GL_SCISSOR_TEST);
    else
        glDisable(GL_SCISSOR_TEST);
}

void GLGraphics::translate(float x, float y)
{
    glTranslatef(x, y, 0.f);
}

void GLGraphics::rotate(float angle, float x, float y, float z)
{
    glRotatef(angle, x, y, z);
}

void GLGraphics::scale(float sx, float sy)
{
    glScalef(sx, sy, 1.f);
}

// The shape is stamped nine times (offsets of `thickness` in the eight
// directions and once in place) into a stencil cleared to 255, incrementing
// with wrap wherever the texture's alpha exceeds alphaRef. A pixel covered k
// times then holds k - 1, uncovered ones keep 255. The fill passes where the
// stored value is below 7: covered by one to seven stamps, i.e. near the
// shape's edge but not deep inside it (eight or nine stamps) and not outside
// its reach (none).
template <typename Fill>
void GLGraphics::drawStencilOutline(int x, int y, GLTexture* texture, int thickness, float alphaRef, int w, int h,
                                    const Rect& rect, Fill fill)
{
    const int t = thickness;
    const Color white = Color::white();

    glClearStencil(255);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glDisable(GL_DEPTH_TEST);
    // The stamps count only through the alpha test, whatever set it up last.
    glEnable(GL_ALPHA_TEST);

    glAlphaFunc(GL_GREATER, alphaRef);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, ~0u);
    glStencilOp(GL_INCR_WRAP, GL_INCR_WRAP, GL_INCR_WRAP);

    drawImageScaled(x - t, y, w, h, texture, rect, white);
    drawImageScaled(x + t, y, w, h, texture, rect, white);
    drawImageScaled(x, y - t, w, h, texture, rect, white);
    drawImageScaled(x, y + t, w, h, texture, rect, white);
    drawImageScaled(x - t, y - t, w, h, texture, rect, white);
    drawImageScaled(x + t, y + t, w, h, texture, rect, white);
    drawImageScaled(x + t, y - t, w, h, texture, rect, white);
    drawImageScaled(x - t, y + t, w, h, texture, rect, white);
    drawImageScaled(x, y, w, h, texture, rect, white);

    glAlphaFunc(GL_ALWAYS, 0.f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_GREATER, 7, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);

    fill();

    glDisable(GL_STENCIL_TEST);
    glCheckPending();
}

void GLGraphics::drawOutlineRect(int x, int y, GLTexture* texture, Color fill, int thickness, float alphaRef, int w,
                                 int h, const Rect& rect)
{
    if (!drawable(texture))
        return;
    const int t = thickness;
    drawStencilOutline(x, y, texture, t, alphaRef, w, h, rect,
                       [&]() { fillRect(x - t, y - t, w + 2 * t, h + 2 * t, fill); });
}

void GLGraphics::drawTexturedOutlineRect(int x, int y, GLTexture* texture, GLTexture* fillTexture, int thickness,
                                         float alphaRef, int w, int h, const Rect& rect)
{
    if (!drawable(texture) || !drawable(fillTexture))
        return;
    const int t = thickness;
    drawStencilOutline(x, y, texture, t, alphaRef, w, h, rect,
                       [&]() { drawImage(x - t, y - t, fillTexture, Color::white()); });
}

void GLGraphics::fillTriangle(PointF p1, PointF p2, PointF p3, Color c)
{
    const float z = static_cast<float>(depth);
    glDisable(GL_TEXTURE_2D);
    setColor(c);
    glBegin(GL_TRIANGLES);
    glVertex3f(p1.x, p1.y, z);
    glVertex3f(p2.x, p2.y, z);
    glVertex3f(p3.x, p3.y, z);
    glEnd();
}

void GLGraphics::drawImageQuad(GLTexture* texture, PointF p1, PointF p2, PointF p3, PointF p4, const Rect& rect,
                               Color c)
{
    if (!drawable(texture))
        return;
    const float texW = static_cast<float>(texture->getTextureWidth());
    const float texH = static_cast<float>(texture->getTextureHeight());
    const float u1 = rect.x1 / texW, u2 = rect.x2 / texW;
    const float v1 = rect.y1 / texH, v2 = rect.y2 / texH;
    const float z = static_cast<float>(depth);

    setColor(c);
    glEnable(GL_TEXTURE_2D);
    texture->bind();
    glBegin(GL_QUADS);
    glTexCoord2f(u1, v1);
    glVertex3f(p1.x, p1.y, z);
    glTexCoord2f(u2, v1);
    glVertex3f(p2.x, p2.y, z);
    glTexCoord2f(u2, v2);
    glVertex3f(p3.x, p3.y, z);
    glTexCoord2f(u1, v2);
    glVertex3f(p4.x, p4.y, z);
    glEnd();
}
