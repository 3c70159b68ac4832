// Fuzzes the bitmap-font descriptor (.fnt, XML) parser and the measuring,
// wrapping and layout built on what it read. No GL: the page images are
// only named, never loaded.
#include "engine/gfx/AngelFontMetrics.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("font.fnt");
    static const std::string text = [] {
        std::string t = "one two three\nAV Wa\r\n";
        for (int c = 0; c < 256; ++c)
            t += static_cast<char>(c);
        return t;
    }();
    fuzz::writeInput(path, data, size);

    AngelFontMetrics font;
    if (!font.load(path))
        return 0;
    (void)font.textWidth(text);
    (void)font.wrapText(text, 100);
    (void)font.wrapText(text, 0);
    const WidgetGeometry box(10, 20, 0, 200, 100);
    for (int align : {0, 1, 2, 4})
        (void)font.layoutBox(box, text, align, align, true);
    volatile long long sink = 0;
    font.forEachGlyph(text, 0, 0, [&sink](const GlyphInfo& g, int left, int top) { sink = sink + g.id + left + top; });
    return 0;
}
