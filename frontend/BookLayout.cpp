#include "frontend/BookLayout.h"

#include "engine/core/Log.h"
#include "engine/core/XmlFile.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"

#include <tinyxml.h>

#include <cstdlib>
#include <utility>

namespace {

const char* const DefaultTitleFont = "FONT_TIMES24_NE";
const char* const DefaultParagraphFont = "FONT_TIMES16_NE";

std::string wrapped(Font* font, const std::string& text, int width)
{
    std::string out;
    if (font)
        font->wrapText(text, out, width);
    else
        out = text;
    return out;
}

void breaksToSpaces(std::string& text)
{
    for (char& c : text) {
        if (c == '\n')
            c = ' ';
    }
}

bool isBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

int intAttribute(const TiXmlElement* element, const char* name, int fallback)
{
    const char* value = element->Attribute(name);
    return value ? std::atoi(value) : fallback;
}

int alignOf(const char* align)
{
    const std::string a = align ? align : "";
    if (a == "right")
        return BookPageElement::Right;
    if (a == "center")
        return BookPageElement::Centre;
    return BookPageElement::Left;
}

} // namespace

BookLayout::BookLayout(int width, int height, Lookup l, std::string extension)
    : pageWidth(width)
    , pageHeight(height)
    , lookup(std::move(l))
    , imageExtension(std::move(extension))
{
}

int BookLayout::wrappedHeight(Font* font, const std::string& text, int width)
{
    if (!font)
        return 0;
    const std::string w = wrapped(font, text, width);
    int lines = 1;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (w[i] != '\n')
            continue;
        for (std::size_t j = i + 1; j < w.size(); ++j) {
            if (!isBlank(w[j])) {
                ++lines;
                break;
            }
        }
    }
    return font->getLineHeight() * lines;
}

bool BookLayout::takePiece(Font* font, std::string& text, int width, int lines, bool forceOne, std::string& piece)
{
    piece.clear();
    if (lines < 1) {
        if (!forceOne)
            return false;
        lines = 1;
    }
    std::string w = wrapped(font, text, width);
    // The cut lies just before the lines-th line break (the end when there
    // are fewer).
    std::size_t cut = w.size();
    int seen = 0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (w[i] == '\n' && ++seen == lines) {
            cut = i;
            break;
        }
    }
    if (cut == 0 && forceOne) {
        // A text that starts with a line break: take up to the next one.
        const std::size_t next = w.find('\n', 1);
        cut = next == std::string::npos ? w.size() : next;
    }
    if (cut == 0)
        return false;
    piece = w.substr(0, cut);
    std::string rest = w.substr(cut);
    breaksToSpaces(piece);
    breaksToSpaces(rest);
    text = std::move(rest);
    return true;
}

bool BookLayout::load(const std::string& path, int lastEntryId, std::vector<BookPage>& pages)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "book"))
        return false;
    if (!doc.RootElement() || std::string(doc.RootElement()->Value()) != "JournalEntries") {
        logError("book '" + path + "': the root element is not JournalEntries; no pages");
        return false;
    }
    return load(doc.RootElement(), lastEntryId, pages);
}

bool BookLayout::load(const TiXmlElement* root, int lastEntryId, std::vector<BookPage>& pages)
{
    if (!root)
        return false;
    if (const char* folder = root->Attribute("rootPath"))
        rootPath = folder;
    pages.emplace_back();
    for (const TiXmlElement* entry = root->FirstChildElement("JournalEntry"); entry;
         entry = entry->NextSiblingElement("JournalEntry")) {
        const int id = intAttribute(entry, "id", -1);
        if (id != -1 && id <= lastEntryId)
            layoutEntry(entry, id, pages);
    }
    pages.emplace_back();
    while (pages.size() % 2 != 0)
        pages.emplace_back();
    return true;
}

void BookLayout::resetCursor()
{
    cursorX = MarginLeft;
    cursorY = MarginTop;
    cursorWidth = pageWidth - MarginLeft - MarginRight;
    remaining = pageHeight - MarginTop - MarginBottom;
}

Font* BookLayout::fontOf(const TiXmlElement* element, const char* fallback) const
{
    const char* name = element->Attribute("font");
    return lookup.font ? lookup.font(name ? name : fallback) : nullptr;
}

void BookLayout::layoutEntry(const TiXmlElement* entry, int id, std::vector<BookPage>& pages)
{
    const std::string side = entry->Attribute("side") ? entry->Attribute("side") : "";
    // Left pages have odd indices, right pages even ones.
    if ((side == "left" && pages.size() % 2 == 0) || (side == "right" && pages.size() % 2 == 1))
        pages.emplace_back();

    BookPage page;
    page.entryId = id;
    resetCursor();
    addPictures(entry, page);

    const TiXmlElement* title = entry->FirstChildElement("Title");
    if (title && title->Attribute("text")) {
        BookPageElement element;
        element.kind = BookPageElement::Text;
        element.text = lookup.label ? lookup.label(title->Attribute("text")) : std::string();
        element.font = fontOf(title, DefaultTitleFont);
        const int y = intAttribute(title, "y", MarginTop);
        const int height = wrappedHeight(element.font, element.text, cursorWidth);
        element.box = WidgetGeometry(MarginLeft, y, 0, cursorWidth, height);
        page.elements.push_back(element);
        cursorY = TitleGap + y + height;
        remaining = pageHeight - MarginBottom - TitleGap - y - height;
    }

    for (const TiXmlElement* p = entry->FirstChildElement("Paragraph"); p; p = p->NextSiblingElement("Paragraph")) {
        if (p->Attribute("text"))
            addParagraph(p, page, pages);
    }
    if (!page.elements.empty())
        pages.push_back(page);
}

void BookLayout::addPictures(const TiXmlElement* entry, BookPage& page)
{
    for (const TiXmlElement* image = entry->FirstChildElement("Image"); image;
         image = image->NextSiblingElement("Image")) {
        const char* file = image->Attribute("file");
        if (!file || !lookup.picture)
            continue;
        GLTexture* picture = lookup.picture(rootPath + file + imageExtension);
        if (!picture)
            continue;
        BookPageElement element;
        element.kind = BookPageElement::Picture;
        element.picture = picture;
        element.box.x = intAttribute(image, "x", (pageWidth - picture->getWidth()) / 2);
        element.box.y = intAttribute(image, "y", (pageHeight - picture->getHeight()) / 2);
        page.elements.push_back(element);
    }
}

void BookLayout::addParagraph(const TiXmlElement* paragraph, BookPage& page, std::vector<BookPage>& pages)
{
    std::string text = Indent + (lookup.label ? lookup.label(paragraph->Attribute("text")) : std::string());
    Font* font = fontOf(paragraph, DefaultParagraphFont);
    const int align = alignOf(paragraph->Attribute("align"));
    const int lineHeight = font ? font->getLineHeight() : 0;
    if (lineHeight <= 0)
        return;  // nothing can be measured or drawn
    const int fullRemaining = pageHeight - MarginTop - MarginBottom;
    while (!text.empty()) {
        const bool freshPage = cursorY == MarginTop && remaining == fullRemaining;
        std::string piece;
        if (takePiece(font, text, cursorWidth, remaining / lineHeight, freshPage, piece)) {
            BookPageElement element;
            element.kind = BookPageElement::Text;
            element.text = piece;
            element.font = font;
            element.hAlign = align;
            element.vAlign = BookPageElement::Top;
            const int height = wrappedHeight(font, piece, cursorWidth);
            element.box = WidgetGeometry(cursorX, cursorY, 0, cursorWidth, height);
            page.elements.push_back(element);
            cursorY += height;
            remaining -= height;
        } else {
            pages.push_back(page);
            page.elements.clear();
            resetCursor();
        }
    }
    cursorY += ParagraphGap;
}
