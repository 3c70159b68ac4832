#pragma once
// The one gateway through which every XML content file is read. The file is
// read whole through SDL's file layer, its line ends are normalised (CRLF and
// lone CR become LF, so texts never carry '\r' and error rows are right for
// files saved on any platform) and the text is parsed with TinyXML.
//
// Parsers include <tinyxml.h> in their .cpp files only; this header merely
// forward-declares the document so that public headers stay free of TinyXML.
#include <string>

class TiXmlDocument;

class XmlFile {
public:
    // How the bytes of a file are read.
    enum class Encoding {
        // TinyXML's default: a byte-order mark or the declaration's
        // encoding decides; a file declared UTF-8 is read as UTF-8.
        Declared,
        // TinyXML's legacy encoding: bytes as they stand, whatever the
        // declaration says, so text in an 8-bit code page keeps its bytes
        // (a character reference gives one byte). A leading UTF-8 byte-order
        // mark is skipped, which TinyXML would otherwise take for content.
        Legacy,
    };

    // Reads and parses the file at `path` into `doc` (whatever `doc` held
    // before is cleared). On failure returns false, leaves `doc` empty and
    // prints one error line naming `what` (the kind of file, e.g. "labels"),
    // the path and the reason: the file could not be opened or read, or
    // TinyXML's description of the fault with its row and column.
    [[nodiscard]] static bool load(const std::string& path, TiXmlDocument& doc,
                                   const std::string& what = "XML file",
                                   Encoding encoding = Encoding::Declared);

    // The same for text already in memory: `where` names it in the error
    // line (line ends are normalised and the text is padded the same way).
    [[nodiscard]] static bool parse(const std::string& text, TiXmlDocument& doc, const std::string& what,
                                    const std::string& where, Encoding encoding = Encoding::Declared);

private:
    XmlFile() = delete;
};
