#pragma once
// A bitmap font read from a BMFont-style XML descriptor (".fnt") and its page
// images. Measuring, wrapping and the placing of boxed lines follow
// AngelFontMetrics (see its advance rule); this class owns the page textures
// and draws into in-memory images. Drawing on screen is AngelFontGL's.
//
// Loading happens in the constructor and needs a current GL context: every
// page is uploaded at once. A page image of 8 bits per pixel becomes a white
// coverage mask (IntensityAsAlphaImageFilter); other pages are used as they
// are. Failures never throw and print one line naming the file:
//  - a descriptor that cannot be read leaves an empty font: every text
//    measures 0 and draws nothing, and the line height is 0;
//  - a page image that cannot be loaded leaves that page empty: its glyphs
//    still measure and advance the pen but draw nothing;
//  - glyphs whose rectangles reach outside their page's real picture (a
//    page of another size than the descriptor was made for) or name a page
//    that is not listed measure as before but draw nothing, reported in one
//    line (AngelFontMetrics::dropGlyphsOutsidePages).
#include "engine/gfx/AngelFontMetrics.h"
#include "engine/gfx/Font.h"
#include <memory>
#include <vector>

class GLTexture;

class AngelFont : public Font {
public:
    explicit AngelFont(const std::string& path);
    ~AngelFont() override;
    AngelFont(const AngelFont&) = delete;
    AngelFont& operator=(const AngelFont&) = delete;

    int textWidth(const std::string& text) const override;
    // Into an image: each glyph is copied from its page's kept picture with
    // the target's blit, alpha-blended when *extra is non-zero and copied
    // (alpha included) otherwise. The colour is not applied. A null target
    // draws nothing; a null `extra` counts as 0.
    void drawTextInBox(ImageGraphics* target, const WidgetGeometry& box, const std::string& text, Color colour,
                       int hAlign, int vAlign, bool wrap, const uint8_t* extra) override;
    using Font::drawTextInBox;
    void drawText(ImageGraphics* target, int x, int y, const std::string& text, Color colour,
                  const uint8_t* extra) override;
    void drawTextInBoxRuns(Graphics& g, const WidgetGeometry& box, const std::string& text, Color colour,
                           int hAlign, int vAlign, bool wrap) override;
    void reloadGpu() override;
    void releaseGpu() override;
    void wrapText(const std::string& text, std::string& out, int maxWidth) const override;

    const AngelFontMetrics& metrics() const { return fontMetrics; }
    // Number of pages the descriptor lists, empty pages included.
    int pageCount() const { return static_cast<int>(pages.size()); }
    // The texture of page `index` (owned by the font), or null when the page
    // is empty or the index out of range.
    GLTexture* page(int index) const;

protected:
    AngelFontMetrics fontMetrics;
    // Index = page number; null for a page whose image could not be loaded.
    std::vector<std::unique_ptr<GLTexture>> pages;

private:
    // Layout buffers kept between draws, so that drawing a text of a size
    // seen before allocates nothing.
    std::vector<PlacedLine> placedLines;
    std::string wrappedText;
};
