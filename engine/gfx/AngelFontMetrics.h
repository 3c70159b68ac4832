#pragma once
// What a bitmap-font descriptor (".fnt", the BMFont XML layout) says, and the
// text measuring built on it: line height, page image paths, glyphs with their
// kerning. No GL and no images, so all of it is testable without a window;
// AngelFont builds its page textures from pagePaths() and measures here.
//
// Advance rule, shared by measuring and by every kind of drawing: a glyph is
// drawn with its top-left corner at (pen, line top + yoffset), then the pen
// moves right by xadvance - xoffset. Before a glyph, when the previous
// character had a glyph, the pen moves by the previous glyph's
// kerning[current code]. A carriage return draws nothing and forgets the
// previous glyph; a code without a glyph draws nothing, does not move the pen
// and forgets the previous glyph. Each text byte is one code 0-255, read
// unsigned. Nothing here divides by the line height, which may be 0.
#include "engine/core/Types.h"
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// One glyph as the descriptor gives it; positions and sizes are pixels in the
// picture of page `page`.
struct GlyphInfo {
    int32_t id = -1;  // character code; -1 = no glyph
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t xoffset = 0, yoffset = 0;
    int32_t page = 0;
    int32_t xadvance = 0;
    // Extra pen move before the FOLLOWING character, indexed by its code.
    int16_t kerning[256] = {};
};

// The real size of a page picture; 0 x 0 for a page without one.
struct PageSize {
    int width = 0, height = 0;
};

// One line of boxed text with the top-left corner it is drawn at.
struct PlacedLine {
    int x = 0, y = 0;
    std::string text;
};

class AngelFontMetrics {
public:
    // Reads the descriptor at `path` (through XmlFile), replacing what this
    // object held. Page files are relative to the descriptor's folder.
    //
    // Returns false, leaves the object empty (no glyphs, no pages, line
    // height 0) and prints one line naming the file and the reason when the
    // file cannot be read or parsed or its root element is not <font>.
    // The text and binary forms of the descriptor format, and kinds of font
    // whose pages are no plain glyph pictures (a <distanceField> element, or
    // common packed="1": glyphs in separate colour channels), are refused
    // the same way, the line saying that the form or kind is not supported.
    //
    // Otherwise returns true; entries that cannot be used are skipped and
    // reported together in one line: attributes that are not numbers or are
    // out of range (codes 0-65535, sizes and offsets within +-32767), a
    // fraction in a code or page number, a char without an id, a page whose
    // id is out of range or repeated, a page without a file (its page stays
    // empty), a kerning pair whose first code has no glyph. Fractional
    // sizes, offsets, advances and kerning amounts are rounded half away from
    // zero. A page goes to the place its `id` names (lists need not be in
    // order); one without an id takes its place in the list. Missing char
    // attributes other than the id read 0. Kerning pairs whose second code is
    // 256 or more are ignored without a word: text bytes never reach them.
    [[nodiscard]] bool load(const std::string& path);

    // Checks every glyph rectangle against the real size of its page
    // (pageSizes by page number; 0 x 0 for a page without a picture, whose
    // glyphs are left alone: that page was reported when it failed). A glyph
    // reaching outside its page, or on a page the descriptor does not list,
    // keeps its advance but gets width and height 0, so it never draws a
    // piece of something else. All of them are reported in one error line
    // naming the descriptor, the first such page's real size and the size
    // the descriptor declares (common scaleW x scaleH) when that differs.
    // Returns the number of glyphs changed.
    int dropGlyphsOutsidePages(const std::vector<PageSize>& pageSizes);

    int lineHeight() const { return lineHeightPx; }
    // Page image paths in page order (descriptor folder + file); an empty
    // path stands for a page entry without a file.
    const std::vector<std::string>& pagePaths() const { return pages; }
    // Every glyph by code, codes above 255 included.
    const std::map<uint16_t, GlyphInfo>& glyphs() const { return glyphTable; }
    // The glyph of a text byte, or null.
    const GlyphInfo* glyphFor(unsigned char code) const;

    // Sum over the characters of kerning + xadvance - xoffset by the advance
    // rule. Line feeds add nothing and forget the previous glyph, so the
    // widths of several lines are added, not maximised. Saturates at the int
    // range.
    int textWidth(const std::string& text) const;

    // The text broken at spaces into lines of at most maxWidth pixels, joined
    // by line feeds. Lines are filled greedily; a word that does not fit goes
    // to the next line, and a single word wider than maxWidth stays whole on
    // its own line (also for maxWidth <= 0). A text without a space comes out
    // unchanged. Line feeds already in the text count as parts of words.
    std::string wrapText(const std::string& text, int maxWidth) const;
    // The same into `out`, whose buffer is reused (text and out are distinct).
    void wrapText(const std::string& text, int maxWidth, std::string& out) const;

    // Lines of boxed text with their positions: the text (wrapped to the box
    // width when `wrap`) split at line feeds; the block of lines is placed at
    // the box top, or for vAlign 2 centred, for vAlign 4 at the bottom; each
    // line at the box left, or for hAlign 1 ending at the box's right edge,
    // for hAlign 2 centred. Halves truncate toward zero. The box's z is not
    // used and lines are not clipped to the box.
    std::vector<PlacedLine> layoutBox(const WidgetGeometry& box, const std::string& text, int hAlign, int vAlign,
                                      bool wrap) const;
    // The same into `placed`, reusing its lines and their buffers, with
    // `wrapped` as the buffer of the wrapped text: a caller that keeps both
    // lays out text of a size seen before without allocating.
    void layoutBox(const WidgetGeometry& box, const std::string& text, int hAlign, int vAlign, bool wrap,
                   std::vector<PlacedLine>& placed, std::string& wrapped) const;

    // Calls visit(const GlyphInfo&, int left, int top) for every glyph of the
    // text in order, by the advance rule, with the first line's top-left at
    // (x, y); a line feed starts a new line one line height lower at x.
    // Positions saturate at the int range.
    template <typename Visit>
    void forEachGlyph(const std::string& text, int x, int y, Visit&& visit) const;

private:
    // Pen state of a measurement that text can be appended to.
    struct Run {
        long long width = 0;
        const GlyphInfo* previous = nullptr;
    };
    // Applies the advance rule for `text` after what `run` already holds.
    void extend(Run& run, std::string_view text) const;
    void clear();

    static int saturate(long long value);

    std::string descriptorPath;  // of the latest successful load
    int32_t lineHeightPx = 0;
    int32_t declaredWidth = 0, declaredHeight = 0;  // common scaleW, scaleH; 0 unknown
    std::vector<std::string> pages;
    std::map<uint16_t, GlyphInfo> glyphTable;
};

template <typename Visit>
void AngelFontMetrics::forEachGlyph(const std::string& text, int x, int y, Visit&& visit) const
{
    long long pen = x;
    long long lineTop = y;
    const GlyphInfo* previous = nullptr;
    for (const char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        if (code == '\n') {
            pen = x;
            lineTop += lineHeightPx;
            previous = nullptr;
            continue;
        }
        const GlyphInfo* glyph = code == '\r' ? nullptr : glyphFor(code);
        if (!glyph) {
            previous = nullptr;
            continue;
        }
        if (previous)
            pen += previous->kerning[code];
        visit(*glyph, saturate(pen), saturate(lineTop + glyph->yoffset));
        pen += glyph->xadvance - glyph->xoffset;
        previous = glyph;
    }
}
