#include "engine/core/XmlFile.h"

#include "engine/core/Log.h"

#include <SDL.h>
#include <cerrno>
#include <cstring>
#include <tinyxml.h>

namespace {

// Reads the whole file through SDL RWops. On failure `reason` says why.
bool readWholeFile(const std::string& path, std::string& out, std::string& reason)
{
    errno = 0;
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw) {
        // SDL 1.2 opens with fopen, so errno names the cause (missing file,
        // no permission); SDL's own text only repeats the path.
        reason = errno != 0 ? std::strerror(errno) : SDL_GetError();
        return false;
    }
    // Read in chunks until the end rather than trusting a seek for the size:
    // it works the same for every kind of RWops.
    char buffer[16384];
    for (;;) {
        const int got = SDL_RWread(rw, buffer, 1, sizeof buffer);
        if (got < 0) {
            reason = std::string("read failed: ") + SDL_GetError();
            SDL_RWclose(rw);
            return false;
        }
        if (got == 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    SDL_RWclose(rw);
    return true;
}

// Every CRLF pair and every lone CR becomes one LF.
std::string normaliseLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r') {
            out += c;
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return out;
}

} // namespace

bool XmlFile::load(const std::string& path, TiXmlDocument& doc, const std::string& what, Encoding encoding)
{
    doc.Clear();
    std::string raw;
    std::string reason;
    if (!readWholeFile(path, raw, reason)) {
        logError(what + ": cannot open \"" + path + "\": " + reason);
        return false;
    }
    return parse(raw, doc, what, path, encoding);
}

bool XmlFile::parse(const std::string& raw, TiXmlDocument& doc, const std::string& what, const std::string& where,
                    Encoding encoding)
{
    doc.Clear();
    std::string text = normaliseLineEnds(raw);
    // TinyXML looks for the byte-order mark only when the encoding is left to
    // it; in legacy mode the mark would make the document unreadable.
    static const char utf8Bom[] = "\xEF\xBB\xBF";
    if (encoding == Encoding::Legacy && text.compare(0, 3, utf8Bom) == 0)
        text.erase(0, 3);
    // TinyXML steps over the bytes after a UTF-8 lead byte (in names and
    // quoted values) without checking for the end of the text, so a text cut
    // after a lead byte would make it read past the terminator. Zero padding
    // keeps every such step inside the buffer.
    text.append(4, '\0');
    doc.Parse(text.c_str(), nullptr, encoding == Encoding::Legacy ? TIXML_ENCODING_LEGACY : TIXML_DEFAULT_ENCODING);
    if (doc.Error()) {
        logError(what + ": cannot parse \"" + where + "\": " + doc.ErrorDesc() + " (row " +
                 std::to_string(doc.ErrorRow()) + ", column " + std::to_string(doc.ErrorCol()) + ")");
        doc.Clear();
        return false;
    }
    return true;
}
