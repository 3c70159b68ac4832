#include "engine/gfx/AngelFontMetrics.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <SDL.h>
#include <algorithm>
#include <cctype>
#include <climits>
#include <tinyxml.h>

namespace {

constexpr long long kMaxCode = 65535;
// Far beyond any real page or glyph, small enough that sums over long texts
// stay well inside long long.
constexpr long long kMaxPixels = 32767;

enum class Read { Missing, Bad, Ok };

// Beyond every range checked below; long digit strings stop growing here.
constexpr long long kHuge = 1LL << 40;

// The attribute as a decimal number: an optional sign, digits and an
// optional fraction, with spaces around it. Descriptors made by other tools
// may give fractional offsets, advances and kerning amounts: they are
// rounded half away from zero. `whole` refuses a non-zero fraction (codes
// and page numbers). Out of [low, high] is Bad. Parsed here rather than with
// TinyXML's sscanf query (which accepts trailing junk and has undefined
// results on overflow) or strtod (whose decimal point follows the locale).
Read readNumber(const TiXmlElement& element, const char* name, long long low, long long high, int32_t& out,
                bool whole = false)
{
    const char* p = element.Attribute(name);
    if (!p)
        return Read::Missing;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    int digits = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p, ++digits)
        value = std::min(kHuge, value * 10 + (*p - '0'));
    bool roundUp = false, fraction = false;
    if (*p == '.') {
        ++p;
        // Half away from zero needs only the first fraction digit.
        roundUp = *p >= '5' && *p <= '9';
        for (; std::isdigit(static_cast<unsigned char>(*p)); ++p, ++digits)
            fraction = fraction || *p != '0';
    }
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    if (digits == 0 || *p != '\0' || (whole && fraction))
        return Read::Bad;
    value += roundUp ? 1 : 0;
    if (negative)
        value = -value;
    if (value < low || value > high)
        return Read::Bad;
    out = static_cast<int32_t>(value);
    return Read::Ok;
}

// A char element as a glyph; false when it cannot be used.
bool readGlyph(const TiXmlElement& element, GlyphInfo& glyph)
{
    if (readNumber(element, "id", 0, kMaxCode, glyph.id, true) != Read::Ok)
        return false;
    struct Field {
        const char* name;
        long long low;
        int32_t* value;
        bool whole;
    };
    const Field fields[] = {
        {"x", 0, &glyph.x, false},
        {"y", 0, &glyph.y, false},
        {"width", 0, &glyph.width, false},
        {"height", 0, &glyph.height, false},
        {"xoffset", -kMaxPixels, &glyph.xoffset, false},
        {"yoffset", -kMaxPixels, &glyph.yoffset, false},
        {"xadvance", -kMaxPixels, &glyph.xadvance, false},
        {"page", 0, &glyph.page, true},
    };
    for (const Field& field : fields)
        if (readNumber(element, field.name, field.low, kMaxPixels, *field.value, field.whole) == Read::Bad)
            return false;
    return true;
}

// Why the descriptor describes a kind of font this engine cannot draw, or
// "" when it can. Their pages look like ordinary pictures, so drawn as such
// they would show blurred or overlapping boxes.
std::string unsupportedKind(const TiXmlElement& root)
{
    if (const TiXmlElement* field = root.FirstChildElement("distanceField")) {
        const char* type = field->Attribute("fieldType");
        return std::string("distance-field fonts") + (type ? std::string(" (fieldType \"") + type + "\")" : "") +
               " are not supported";
    }
    int32_t packed = 0;
    const TiXmlElement* common = root.FirstChildElement("common");
    if (common && readNumber(*common, "packed", 0, 1, packed, true) == Read::Ok && packed != 0)
        return "fonts with glyphs packed into separate colour channels are not supported";
    return std::string();
}

// The descriptor format also has a text form and a binary form, which other
// tools write as often as the XML one; the XML parser would only call them
// empty documents. Returns the reason to refuse the file, or "".
std::string otherDescriptorForm(const std::string& path)
{
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        return std::string();  // XmlFile reports the missing file
    char start[8] = {};
    const int got = SDL_RWread(rw, start, 1, sizeof start);
    SDL_RWclose(rw);
    const std::string text(start, static_cast<size_t>(std::max(got, 0)));
    if (text.compare(0, 3, "BMF") == 0)
        return "the binary form of font descriptors is not supported (only the XML form)";
    if (text.compare(0, 5, "info ") == 0 || text.compare(0, 7, "common ") == 0)
        return "the text form of font descriptors is not supported (only the XML form)";
    return std::string();
}

} // namespace

bool AngelFontMetrics::load(const std::string& path)
{
    clear();
    const std::string otherForm = otherDescriptorForm(path);
    if (!otherForm.empty()) {
        logError("font: \"" + path + "\": " + otherForm);
        return false;
    }
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "font"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "font") {
        logError("font: \"" + path + "\" is not a font descriptor: its root element is <" +
                 (root ? root->ValueStr() : std::string()) + ">, not <font>");
        return false;
    }
    const std::string unsupported = unsupportedKind(*root);
    if (!unsupported.empty()) {
        logError("font: \"" + path + "\": " + unsupported);
        return false;
    }
    descriptorPath = path;

    const std::string::size_type slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    int badEntries = 0;
    bool noLineHeight = false;

    const TiXmlElement* common = root->FirstChildElement("common");
    if (!common || readNumber(*common, "lineHeight", 0, kMaxPixels, lineHeightPx) != Read::Ok) {
        lineHeightPx = 0;
        noLineHeight = true;
    }
    // The page size the descriptor claims; only quoted when glyphs do not fit
    // the real page, so a bad or missing value is no fault of its own.
    if (common && (readNumber(*common, "scaleW", 0, kMaxPixels, declaredWidth) != Read::Ok ||
                   readNumber(*common, "scaleH", 0, kMaxPixels, declaredHeight) != Read::Ok)) {
        declaredWidth = 0;
        declaredHeight = 0;
    }

    if (const TiXmlElement* list = root->FirstChildElement("pages")) {
        std::vector<const TiXmlElement*> entries;
        for (const TiXmlElement* page = list->FirstChildElement("page"); page; page = page->NextSiblingElement("page"))
            entries.push_back(page);
        // Glyphs name pages by their id, which other tools need not list in
        // order; an entry without an id takes its place in the list. An entry
        // whose id is out of range or taken is skipped; its place stays empty.
        pages.assign(entries.size(), std::string());
        std::vector<bool> taken(entries.size(), false);
        for (size_t position = 0; position < entries.size(); ++position) {
            const TiXmlElement& page = *entries[position];
            int32_t id = static_cast<int32_t>(position);
            const long long last = static_cast<long long>(entries.size()) - 1;
            if (readNumber(page, "id", 0, last, id, true) == Read::Bad || taken[static_cast<size_t>(id)]) {
                ++badEntries;
                continue;
            }
            taken[static_cast<size_t>(id)] = true;
            const char* file = page.Attribute("file");
            if (!file || !*file)
                ++badEntries;  // its page stays empty
            else
                pages[static_cast<size_t>(id)] = folder + file;
        }
    }

    if (const TiXmlElement* list = root->FirstChildElement("chars")) {
        for (const TiXmlElement* element = list->FirstChildElement("char"); element;
             element = element->NextSiblingElement("char")) {
            GlyphInfo glyph;
            if (!readGlyph(*element, glyph)) {
                ++badEntries;
                continue;
            }
            glyphTable[static_cast<uint16_t>(glyph.id)] = glyph;
        }
    }

    if (const TiXmlElement* list = root->FirstChildElement("kernings")) {
        for (const TiXmlElement* element = list->FirstChildElement("kerning"); element;
             element = element->NextSiblingElement("kerning")) {
            int32_t first = 0, second = 0, amount = 0;
            if (readNumber(*element, "first", 0, kMaxCode, first, true) != Read::Ok ||
                readNumber(*element, "second", 0, kMaxCode, second, true) != Read::Ok ||
                readNumber(*element, "amount", INT16_MIN, INT16_MAX, amount) != Read::Ok) {
                ++badEntries;
                continue;
            }
            if (second > 255)
                continue;
            const auto glyph = glyphTable.find(static_cast<uint16_t>(first));
            if (glyph == glyphTable.end()) {
                ++badEntries;
                continue;
            }
            glyph->second.kerning[second] = static_cast<int16_t>(amount);
        }
    }

    std::string problems;
    const auto add = [&problems](const std::string& problem) {
        problems += (problems.empty() ? "" : "; ") + problem;
    };
    if (noLineHeight)
        add("no valid common lineHeight (using 0)");
    if (glyphTable.empty())
        add("no glyphs");
    if (badEntries > 0)
        add(std::to_string(badEntries) + " malformed entr" + (badEntries == 1 ? "y" : "ies") + " ignored");
    if (!problems.empty())
        logError("font: \"" + path + "\": " + problems);
    return true;
}

int AngelFontMetrics::dropGlyphsOutsidePages(const std::vector<PageSize>& pageSizes)
{
    int outside = 0, unlisted = 0;
    int firstPage = -1;
    for (auto& entry : glyphTable) {
        GlyphInfo& glyph = entry.second;
        if (glyph.width <= 0 || glyph.height <= 0)
            continue;
        if (glyph.page >= static_cast<int>(pageSizes.size())) {
            ++unlisted;
        } else {
            const PageSize& page = pageSizes[static_cast<size_t>(glyph.page)];
            // A page without a picture was reported when it failed to load.
            if (page.width <= 0 || page.height <= 0)
                continue;
            const long long right = static_cast<long long>(glyph.x) + glyph.width;
            const long long bottom = static_cast<long long>(glyph.y) + glyph.height;
            if (right <= page.width && bottom <= page.height)
                continue;
            ++outside;
            if (firstPage < 0 || glyph.page < firstPage)
                firstPage = glyph.page;
        }
        // The advance stays, so the text keeps its layout.
        glyph.width = 0;
        glyph.height = 0;
    }
    if (outside + unlisted == 0)
        return 0;

    std::string message = "font: \"" + descriptorPath + "\": ";
    if (outside > 0) {
        const PageSize& page = pageSizes[static_cast<size_t>(firstPage)];
        const std::string real = std::to_string(page.width) + "x" + std::to_string(page.height);
        message += std::to_string(outside) + " glyph" + (outside == 1 ? "" : "s") +
                   " reach outside their page (page " + std::to_string(firstPage) + " is " + real;
        const std::string declared = std::to_string(declaredWidth) + "x" + std::to_string(declaredHeight);
        if (declaredWidth > 0 && declaredHeight > 0 && declared != real)
            message += ", the descriptor says " + declared;
        message += ")";
    }
    if (unlisted > 0)
        message += std::string(outside > 0 ? "; " : "") + std::to_string(unlisted) + " glyph" +
                   (unlisted == 1 ? " is" : "s are") + " on a page the descriptor does not list";
    logError(message + "; they are not drawn");
    return outside + unlisted;
}

void AngelFontMetrics::clear()
{
    descriptorPath.clear();
    lineHeightPx = 0;
    declaredWidth = 0;
    declaredHeight = 0;
    pages.clear();
    glyphTable.clear();
}

const GlyphInfo* AngelFontMetrics::glyphFor(unsigned char code) const
{
    const auto found = glyphTable.find(code);
    return found == glyphTable.end() ? nullptr : &found->second;
}

void AngelFontMetrics::extend(Run& run, std::string_view text) const
{
    for (const char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        const GlyphInfo* glyph = code == '\n' || code == '\r' ? nullptr : glyphFor(code);
        if (!glyph) {
            run.previous = nullptr;
            continue;
        }
        if (run.previous)
            run.width += run.previous->kerning[code];
        run.width += glyph->xadvance - glyph->xoffset;
        run.previous = glyph;
    }
}

int AngelFontMetrics::textWidth(const std::string& text) const
{
    Run run;
    extend(run, text);
    return saturate(run.width);
}

std::string AngelFontMetrics::wrapText(const std::string& text, int maxWidth) const
{
    std::string out;
    wrapText(text, maxWidth, out);
    return out;
}

void AngelFontMetrics::wrapText(const std::string& text, int maxWidth, std::string& out) const
{
    if (text.find(' ') == std::string::npos) {
        out.assign(text);
        return;
    }
    // Words are the pieces between single spaces (empty ones included); they
    // are read in place and the lines written straight into `out`, so a
    // buffer that has held such a text before is filled without allocating.
    out.clear();
    const std::string_view all(text);
    const size_t pastLastWord = text.size() + 1;
    const auto wordEnd = [&text](size_t start) {
        const size_t space = text.find(' ', start);
        return space == std::string::npos ? text.size() : space;
    };
    size_t next = 0;  // start of the next word
    bool firstLine = true;
    while (next < pastLastWord) {
        if (!firstLine)
            out += '\n';
        firstLine = false;
        Run run;
        size_t count = 0;
        size_t lengthBefore = 0;
        size_t wordBefore = next;
        // The first word always goes in, so every line takes at least one
        // word and the loop ends even for a box narrower than any word.
        do {
            lengthBefore = out.size();
            wordBefore = next;
            if (count > 0) {
                out += ' ';
                extend(run, " ");
            }
            const size_t end = wordEnd(next);
            out.append(text, next, end - next);
            extend(run, all.substr(next, end - next));
            next = end + 1;
            ++count;
        } while (run.width <= maxWidth && next < pastLastWord);
        if (run.width > maxWidth && count > 1) {
            out.resize(lengthBefore);
            next = wordBefore;
        }
    }
}

std::vector<PlacedLine> AngelFontMetrics::layoutBox(const WidgetGeometry& box, const std::string& text, int hAlign,
                                                    int vAlign, bool wrap) const
{
    std::vector<PlacedLine> placed;
    std::string wrapped;
    layoutBox(box, text, hAlign, vAlign, wrap, placed, wrapped);
    return placed;
}

void AngelFontMetrics::layoutBox(const WidgetGeometry& box, const std::string& text, int hAlign, int vAlign, bool wrap,
                                 std::vector<PlacedLine>& placed, std::string& wrapped) const
{
    const std::string* source = &text;
    if (wrap) {
        wrapText(text, box.w, wrapped);
        source = &wrapped;
    }
    const size_t lineCount = static_cast<size_t>(std::count(source->begin(), source->end(), '\n')) + 1;
    const long long total = static_cast<long long>(lineHeightPx) * static_cast<long long>(lineCount);
    const long long top = box.y, height = box.h;
    long long y = top;
    if (vAlign == 2)
        y = top + (height - total) / 2;
    else if (vAlign == 4)
        y = top + height - total;

    // Lines kept from an earlier layout keep their text buffers.
    placed.resize(lineCount);
    size_t start = 0;
    for (PlacedLine& line : placed) {
        size_t end = source->find('\n', start);
        if (end == std::string::npos)
            end = source->size();
        line.text.assign(*source, start, end - start);
        start = end + 1;
        const long long width = textWidth(line.text);
        const long long left = box.x, boxWidth = box.w;
        long long x = left;
        if (hAlign == 1)
            x = left + boxWidth - width;
        else if (hAlign == 2)
            x = left + (boxWidth - width) / 2;
        line.x = saturate(x);
        line.y = saturate(y);
        y += lineHeightPx;
    }
}

int AngelFontMetrics::saturate(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
