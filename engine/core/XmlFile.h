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
    // Reads and parses the file at `path` into `doc` (whatever `doc` held
    // before is cleared). On failure returns false, leaves `doc` empty and
    // prints one error line naming `what` (the kind of file, e.g. "labels"),
    // the path and the reason: the file could not be opened or read, or
    // TinyXML's description of the fault with its row and column.
    [[nodiscard]] static bool load(const std::string& path, TiXmlDocument& doc,
                                   const std::string& what = "XML file");

private:
    XmlFile() = delete;
};
