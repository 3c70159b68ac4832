#include "engine/gfx/AngelFont.h"

#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Image.h"
#include "engine/gfx/ImageFilter.h"
#include "engine/gfx/SDLSurfaceImage.h"

#include <SDL.h>
#include <SDL_image.h>

namespace {

// Filters hold no data, and the texture keeps the pointer: one shared
// instance that lives as long as the program.
ImageFilter* intensityAsAlpha()
{
    static IntensityAsAlphaImageFilter filter;
    return &filter;
}

} // namespace

AngelFont::AngelFont(const std::string& descriptorPath) : Font(descriptorPath)
{
    if (!fontMetrics.load(descriptorPath))
        return;
    lineHeight = fontMetrics.lineHeight();
    std::vector<PageSize> sizes;
    for (const std::string& pagePath : fontMetrics.pagePaths()) {
        sizes.emplace_back();
        // A page entry without a file was reported with the descriptor.
        if (pagePath.empty()) {
            pages.emplace_back();
            continue;
        }
        auto picture = std::make_unique<SDLSurfaceImage>(pagePath);
        const SDL_Surface* surface = picture->getSurface();
        if (!surface) {
            logError("font: \"" + descriptorPath + "\": cannot load page \"" + pagePath + "\": " + IMG_GetError());
            pages.emplace_back();
            continue;
        }
        sizes.back() = PageSize{surface->w, surface->h};
        ImageFilter* filter = surface->format->BitsPerPixel == 8 ? intensityAsAlpha() : nullptr;
        pages.push_back(std::make_unique<GLTexture>(picture.release(), filter));
    }
    // Rectangles beyond the real page would draw whatever lies there (or the
    // stretched edge of the texture).
    fontMetrics.dropGlyphsOutsidePages(sizes);
}

AngelFont::~AngelFont() = default;

GLTexture* AngelFont::page(int index) const
{
    if (index < 0 || index >= static_cast<int>(pages.size()))
        return nullptr;
    return pages[static_cast<size_t>(index)].get();
}

int AngelFont::textWidth(const std::string& text) const
{
    return fontMetrics.textWidth(text);
}

void AngelFont::wrapText(const std::string& text, std::string& out, int maxWidth) const
{
    if (&out == &text)
        out = fontMetrics.wrapText(text, maxWidth);  // in place: wrap from a copy
    else
        fontMetrics.wrapText(text, maxWidth, out);
}

void AngelFont::drawText(ImageGraphics* target, int x, int y, const std::string& text, Color /*colour*/,
                         const uint8_t* extra)
{
    if (!target)
        return;
    const bool useAlpha = extra && *extra != 0;
    fontMetrics.forEachGlyph(text, x, y, [&](const GlyphInfo& glyph, int left, int top) {
        if (glyph.width <= 0 || glyph.height <= 0)
            return;
        const GLTexture* texture = page(glyph.page);
        Image* picture = texture ? texture->getImage() : nullptr;
        if (!picture)
            return;
        const Rect source(static_cast<float>(glyph.x), static_cast<float>(glyph.y),
                          static_cast<float>(glyph.x + glyph.width), static_cast<float>(glyph.y + glyph.height));
        target->blit(left, top, picture, source, useAlpha);
    });
}

void AngelFont::drawTextInBox(ImageGraphics* target, const WidgetGeometry& box, const std::string& text, Color colour,
                              int hAlign, int vAlign, bool wrap, const uint8_t* extra)
{
    if (!target)
        return;
    fontMetrics.layoutBox(box, text, hAlign, vAlign, wrap, placedLines, wrappedText);
    for (const PlacedLine& line : placedLines)
        drawText(target, line.x, line.y, line.text, colour, extra);
}

void AngelFont::drawTextInBoxRuns(Graphics& g, const WidgetGeometry& box, const std::string& text, Color colour,
                                  int hAlign, int vAlign, bool wrap)
{
    fontMetrics.layoutBox(box, text, hAlign, vAlign, wrap, placedLines, wrappedText);
    for (const PlacedLine& line : placedLines)
        drawRun(g, line.x, line.y, line.text, colour);
}

void AngelFont::reloadGpu()
{
    for (const auto& texture : pages)
        if (texture)
            texture->upload();
}

void AngelFont::releaseGpu()
{
    for (const auto& texture : pages)
        if (texture)
            texture->releaseGpu();
}
