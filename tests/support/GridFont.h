#pragma once
// A font without pictures for layout tests and fuzz targets: every glyph is
// 10 px wide, lines are `height` px high.
#include "engine/gfx/Font.h"

#include <string>

// Wraps at spaces like the real fonts.
class GridFont : public Font {
public:
    explicit GridFont(int height = 20) { lineHeight = height; }
    int textWidth(const std::string& text) const override { return 10 * static_cast<int>(text.size()); }
    void drawTextInBox(ImageGraphics*, const WidgetGeometry&, const std::string&, Color, int, int, bool,
                       const uint8_t*) override {}
    void drawText(ImageGraphics*, int, int, const std::string&, Color, const uint8_t*) override {}
    void drawTextInBoxRuns(Graphics&, const WidgetGeometry&, const std::string&, Color, int, int, bool) override {}
    void drawRun(Graphics&, int, int, const std::string&, Color) override {}
    void reloadGpu() override {}
    void releaseGpu() override {}
    void wrapText(const std::string& text, std::string& out, int maxWidth) const override
    {
        out = text;
        std::size_t lineStart = 0, lastSpace = std::string::npos;
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (out[i] == ' ')
                lastSpace = i;
            if (textWidth(out.substr(lineStart, i - lineStart + 1)) > maxWidth && lastSpace != std::string::npos &&
                lastSpace > lineStart) {
                out[lastSpace] = '\n';
                lineStart = lastSpace + 1;
                lastSpace = std::string::npos;
            }
        }
    }
};
