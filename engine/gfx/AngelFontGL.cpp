#include "engine/gfx/AngelFontGL.h"

#include "engine/gfx/GLCheck.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"

#include <GL/gl.h>
#include <algorithm>
#include <iterator>

AngelFontGL::AngelFontGL(const std::string& path) : AngelFont(path) {}

void AngelFontGL::drawRun(Graphics& g, int x, int y, const std::string& text, Color colour)
{
    if (text.empty() || fontMetrics.glyphs().empty())
        return;

    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4ub(colour.r, colour.g, colour.b, colour.a);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords);

    const float z = static_cast<float>(g.getDepth());
    int boundPage = -1;
    bool pageDrawable = false;
    float sx = 0.f, sy = 0.f;
    // Glyph corners are placed in absolute coordinates, so the transform is
    // left alone.
    fontMetrics.forEachGlyph(text, x, y, [&](const GlyphInfo& glyph, int left, int top) {
        if (glyph.width <= 0 || glyph.height <= 0)
            return;
        if (glyph.page != boundPage) {
            boundPage = glyph.page;
            GLTexture* texture = page(glyph.page);
            pageDrawable = texture && texture->getTextureWidth() > 0 && texture->getTextureHeight() > 0;
            if (pageDrawable) {
                texture->bind();
                // The page is stored widened to a power of two: coordinates
                // are fractions of the texture, not of the picture.
                sx = 1.f / static_cast<float>(texture->getTextureWidth());
                sy = 1.f / static_cast<float>(texture->getTextureHeight());
            }
        }
        if (!pageDrawable)
            return;

        const float x1 = static_cast<float>(left);
        const float y1 = static_cast<float>(top);
        const float x2 = x1 + static_cast<float>(glyph.width);
        const float y2 = y1 + static_cast<float>(glyph.height);
        const float u1 = static_cast<float>(glyph.x) * sx;
        const float v1 = static_cast<float>(glyph.y) * sy;
        const float u2 = static_cast<float>(glyph.x + glyph.width) * sx;
        const float v2 = static_cast<float>(glyph.y + glyph.height) * sy;
        const float corners[4 * 3] = {x2, y1, z, x1, y1, z, x2, y2, z, x1, y2, z};
        const float coords[4 * 2] = {u2, v1, u1, v1, u2, v2, u1, v2};
        std::copy(std::begin(corners), std::end(corners), vertices);
        std::copy(std::begin(coords), std::end(coords), texCoords);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    });

    glPopClientAttrib();
    glCheckPending();
}
