#pragma once
// A bitmap font that draws runs of text on screen with OpenGL vertex arrays
// (see AngelFont for loading and measuring). Each glyph is one textured
// triangle strip of 4 vertices in the current colour; the page texture is
// bound once per change of page, and the two small vertex and coordinate
// buffers are reused for every glyph, so drawing allocates nothing.
#include "engine/gfx/AngelFont.h"

class AngelFontGL : public AngelFont {
public:
    explicit AngelFontGL(const std::string& path);
    AngelFontGL(const AngelFontGL&) = delete;
    AngelFontGL& operator=(const AngelFontGL&) = delete;

    // Leaves blending and 2-D texturing on, the colour set to `colour` and the
    // last page bound; the client array state and the transform are as
    // before. An empty text or font touches no GL state. Glyphs on an empty
    // page, or on a page without GL storage, are skipped.
    void drawRun(Graphics& g, int x, int y, const std::string& text, Color colour) override;

private:
    float vertices[4 * 3] = {};
    float texCoords[4 * 2] = {};
};
