#include "engine/gfx/AngelFontMetrics.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <tinyxml.h>

namespace {

constexpr long long kMaxCode = 65535;
// Far beyond any real page or glyph, small enough that sums over long texts
// stay well inside long long.
constexpr long long kMaxPixels = 32767;

enum class Read { Missing, Bad, Ok };

// The attribute as a whole decimal integer in [low, high]. TinyXML's own
// query uses sscanf, which accepts trailing junk and has undefined results
// on overflow, so the text is converted here.
Read readInt(const TiXmlElement& element, const char* name, long long low, long long high, int32_t& out)
{
    const char* text = element.Attribute(name);
    if (!text)
        return Read::Missing;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE)
        return Read::Bad;
    while (std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (*end != '\0' || value < low || value > high)
        return Read::Bad;
    out = static_cast<int32_t>(value);
    return Read::Ok;
}

// A char element as a glyph; false when it cannot be used.
bool readGlyph(const TiXmlElement& element, GlyphInfo& glyph)
{
    if (readInt(element, "id", 0, kMaxCode, glyph.id) != Read::Ok)
        return false;
    struct Field {
        const char* name;
        long long low;
        int32_t* value;
    };
    const Field fields[] = {
        {"x", 0, &glyph.x},
        {"y", 0, &glyph.y},
        {"width", 0, &glyph.width},
        {"height", 0, &glyph.height},
        {"xoffset", -kMaxPixels, &glyph.xoffset},
        {"yoffset", -kMaxPixels, &glyph.yoffset},
        {"xadvance", -kMaxPixels, &glyph.xadvance},
        {"page", 0, &glyph.page},
    };
    for (const Field& field : fields)
        if (readInt(element, field.name, field.low, kMaxPixels, *field.value) == Read::Bad)
            return false;
    return true;
}

} // namespace

bool AngelFontMetrics::load(const std::string& path)
{
    clear();
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "font"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "font") {
        logError("font: \"" + path + "\" is not a font descriptor: its root element is <" +
                 (root ? root->ValueStr() : std::string()) + ">, not <font>");
        return false;
    }

    const std::string::size_type slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    int badEntries = 0;
    bool noLineHeight = false;

    const TiXmlElement* common = root->FirstChildElement("common");
    if (!common || readInt(*common, "lineHeight", 0, kMaxPixels, lineHeightPx) != Read::Ok) {
        lineHeightPx = 0;
        noLineHeight = true;
    }

    if (const TiXmlElement* list = root->FirstChildElement("pages")) {
        for (const TiXmlElement* page = list->FirstChildElement("page"); page;
             page = page->NextSiblingElement("page")) {
            const char* file = page->Attribute("file");
            if (!file || !*file)
                ++badEntries;
            // An entry without a file still takes its place in page order.
            pages.push_back(file && *file ? folder + file : std::string());
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
            if (readInt(*element, "first", 0, kMaxCode, first) != Read::Ok ||
                readInt(*element, "second", 0, kMaxCode, second) != Read::Ok ||
                readInt(*element, "amount", INT16_MIN, INT16_MAX, amount) != Read::Ok) {
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

void AngelFontMetrics::clear()
{
    lineHeightPx = 0;
    pages.clear();
    glyphTable.clear();
}

const GlyphInfo* AngelFontMetrics::glyphFor(unsigned char code) const
{
    const auto found = glyphTable.find(code);
    return found == glyphTable.end() ? nullptr : &found->second;
}

void AngelFontMetrics::extend(Run& run, const std::string& text) const
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
    const std::vector<std::string> words = splitString(text, ' ');
    if (words.size() == 1)
        return text;

    static const std::string space(" ");
    std::string out;
    bool firstLine = true;
    size_t next = 0;
    while (next < words.size()) {
        std::string line;
        Run run;
        size_t count = 0;
        size_t lengthBefore = 0;
        // The first word always goes in, so every line takes at least one
        // word and the loop ends even for a box narrower than any word.
        do {
            lengthBefore = line.size();
            if (count > 0) {
                line += ' ';
                extend(run, space);
            }
            line += words[next];
            extend(run, words[next]);
            ++next;
            ++count;
        } while (run.width <= maxWidth && next < words.size());
        if (run.width > maxWidth && count > 1) {
            line.resize(lengthBefore);
            --next;
        }
        if (!firstLine)
            out += '\n';
        out += line;
        firstLine = false;
    }
    return out;
}

std::vector<PlacedLine> AngelFontMetrics::layoutBox(const WidgetGeometry& box, const std::string& text, int hAlign,
                                                    int vAlign, bool wrap) const
{
    std::vector<std::string> lines;
    splitString(wrap ? wrapText(text, box.w) : text, lines, '\n');
    const long long total = static_cast<long long>(lineHeightPx) * static_cast<long long>(lines.size());
    const long long top = box.y, height = box.h;
    long long y = top;
    if (vAlign == 2)
        y = top + (height - total) / 2;
    else if (vAlign == 4)
        y = top + height - total;

    std::vector<PlacedLine> placed;
    placed.reserve(lines.size());
    for (std::string& line : lines) {
        const long long width = textWidth(line);
        const long long left = box.x, boxWidth = box.w;
        long long x = left;
        if (hAlign == 1)
            x = left + boxWidth - width;
        else if (hAlign == 2)
            x = left + (boxWidth - width) / 2;
        placed.push_back(PlacedLine{saturate(x), saturate(y), std::move(line)});
        y += lineHeightPx;
    }
    return placed;
}

int AngelFontMetrics::saturate(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
