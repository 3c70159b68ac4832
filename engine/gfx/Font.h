#pragma once
// A bitmap font: measures byte strings and draws them on screen (through
// Graphics) or into an in-memory image (through ImageGraphics). Each byte of a
// text is one character code (0-255); a line feed starts a new line.
//
// Boxed text: horizontal alignment 1 right, 2 centre, anything else left;
// vertical alignment 2 middle, 4 bottom, anything else top. With wrap set the
// text is first wrapped to the box width. Text is not clipped to the box.
//
// A font is usable once constructed (it never defers loading). Its page
// textures live on the GPU: releaseGpu and reloadGpu come in pairs around a
// re-creation of the GL context.
#include "engine/core/DeferableResource.h"
#include "engine/core/Types.h"
#include <cstdint>
#include <string>

class Graphics;
class ImageGraphics;

class Font : public DeferableResource {
public:
    using DeferableResource::DeferableResource;
    ~Font() override = default;

    // Distance in pixels from one line of text to the next.
    int getLineHeight() const { return lineHeight; }

    // Width in pixels of the text. Line feeds add nothing: the widths of the
    // lines of a multi-line text are added, not maximised.
    virtual int textWidth(const std::string& text) const = 0;

    // Boxed text into an image. `extra` points to the byte handed to the
    // target's blit as its alpha flag (never null).
    virtual void drawTextInBox(ImageGraphics* target, const WidgetGeometry& box, const std::string& text,
                               Color colour, int hAlign, int vAlign, bool wrap, const uint8_t* extra) = 0;
    // Text, possibly of several lines, into an image with its first line's
    // top-left at (x, y). `extra` as for drawTextInBox.
    virtual void drawText(ImageGraphics* target, int x, int y, const std::string& text, Color colour,
                          const uint8_t* extra) = 0;
    // Boxed text on screen.
    virtual void drawTextInBoxRuns(Graphics& g, const WidgetGeometry& box, const std::string& text, Color colour,
                                   int hAlign, int vAlign, bool wrap) = 0;
    // Text on screen with its first line's top-left at (x, y); line feeds
    // start new lines.
    virtual void drawRun(Graphics& g, int x, int y, const std::string& text, Color colour) = 0;
    // After the GL context was re-created: uploads every page texture again.
    virtual void reloadGpu() = 0;
    // Before the GL context goes: drops every page texture's GPU copy.
    virtual void releaseGpu() = 0;
    // Writes to `out` the text broken at spaces into lines of at most
    // `maxWidth` pixels, joined by line feeds. A word wider than maxWidth
    // stays whole on its own line; a text without spaces comes out unchanged.
    virtual void wrapText(const std::string& text, std::string& out, int maxWidth) const = 0;

    // Boxed text on screen: the same as drawTextInBoxRuns. A subclass that
    // overrides the image form of drawTextInBox should add
    // `using Font::drawTextInBox;` to keep this form visible.
    void drawTextInBox(Graphics& g, const WidgetGeometry& box, const std::string& text, Color colour,
                       int hAlign, int vAlign, bool wrap)
    {
        drawTextInBoxRuns(g, box, text, colour, hAlign, vAlign, wrap);
    }

protected:
    int32_t lineHeight = 0;
};
