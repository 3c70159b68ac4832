#pragma once
// Reads a book file ("JournalEntries" XML) and lays its entries out on pages
// of a fixed size, appending them to a page list.
//
// File: root <JournalEntries rootPath="folder/"> with <JournalEntry id="n"
// side="left|right"> children holding <Image file x y>, one <Title text font
// y> and <Paragraph text font align> elements; texts are label ids. Only
// entries with an id other than -1 and not above `lastEntryId` are laid out.
// The book starts and ends with a blank page and has an even page count;
// "side" puts an entry on a left (odd) or right (even) page by inserting a
// blank page before it.
//
// Layout: margins 40 left, 30 right, 60 top and bottom; the title is centred
// at its own y (the top margin by default) with a gap of 20 below it;
// paragraphs start with five spaces, flow on from the cursor and are cut
// into pieces that fit the rest of the page, the rest going onto a new page
// of the same entry; 10 px between paragraphs. A page with room for no line
// at all still takes one line of text, so a font taller than the page ends
// (one line per page) instead of adding empty pages for ever.
//
// A file that cannot be read or parsed, or whose root is not JournalEntries,
// adds no pages (one line on standard output).
#include "frontend/BookPage.h"

#include <functional>
#include <string>
#include <vector>

class Font;
class GLTexture;
class TiXmlElement;

class BookLayout {
public:
    static constexpr int MarginLeft = 40;
    static constexpr int MarginRight = 30;
    static constexpr int MarginTop = 60;
    static constexpr int MarginBottom = 60;
    static constexpr int TitleGap = 20;
    static constexpr int ParagraphGap = 10;
    static constexpr const char* Indent = "     ";

    // How the layout finds what a file names: label texts by id, fonts by id
    // (null: the text is laid out as nothing) and pictures by path (null:
    // the picture is left out; the texture is owned by whoever made it).
    struct Lookup {
        std::function<std::string(const std::string&)> label;
        std::function<Font*(const std::string&)> font;
        std::function<GLTexture*(const std::string&)> picture;
    };

    BookLayout(int pageWidth, int pageHeight, Lookup lookup, std::string imageExtension);

    // Appends the book's pages to `pages` (which keeps what it held). Returns
    // false when the file gave nothing.
    bool load(const std::string& path, int lastEntryId, std::vector<BookPage>& pages);
    // The same for a parsed root element.
    bool load(const TiXmlElement* root, int lastEntryId, std::vector<BookPage>& pages);

    // Height of the text wrapped at `width`: line height times the number of
    // lines that hold more than blanks.
    static int wrappedHeight(Font* font, const std::string& text, int width);
    // Splits `text` after the lines of its wrapped form that fit `lines`
    // lines (at least one when `forceOne`): `piece` is what fits, `text` the
    // rest; line feeds in both become spaces. Returns false (text unchanged,
    // piece empty) when nothing fits.
    static bool takePiece(Font* font, std::string& text, int width, int lines, bool forceOne, std::string& piece);

    const std::string& getRootPath() const { return rootPath; }

private:
    void layoutEntry(const TiXmlElement* entry, int id, std::vector<BookPage>& pages);
    void addPictures(const TiXmlElement* entry, BookPage& page);
    void addParagraph(const TiXmlElement* paragraph, BookPage& page, std::vector<BookPage>& pages);
    void resetCursor();
    Font* fontOf(const TiXmlElement* element, const char* fallback) const;

    int pageWidth;
    int pageHeight;
    Lookup lookup;
    std::string imageExtension;
    std::string rootPath;
    // The cursor on the working page.
    int cursorX = 0, cursorY = 0, cursorWidth = 0, remaining = 0;
};
