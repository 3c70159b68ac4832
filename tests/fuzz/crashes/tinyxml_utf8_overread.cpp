// Deterministic reproducer of the over-read that the labels fuzz target found
// in TinyXML 2.6.2 (the system library): inside a quoted value of a UTF-8
// document, a UTF-8 lead byte in the last byte(s) of the text makes the
// parser step by the whole sequence length, over the terminating zero, and
// go on parsing whatever memory follows. Under the fuzzer that memory is the
// heap beyond the buffer XmlFile::load hands to Parse, so the fuzz crash
// itself depends on the heap's history and does not replay on its own.
//
// Here the bytes behind the zero are part of the same buffer, so the effect
// is visible without a sanitizer: the attribute B is read from behind the
// end. Three more zero bytes after the text stop it (the longest sequence is
// 4 bytes).
//
// build: clang++ tinyxml_utf8_overread.cpp $(pkg-config --cflags --libs tinyxml)
// Exits 1 when the over-read happens (and the padding stops it), else 0.
#include <tinyxml.h>
#include <cstdio>
#include <string>

static bool readsBehindTheEnd(const std::string& buffer)
{
    TiXmlDocument doc;
    doc.Parse(buffer.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    const TiXmlElement* s = doc.RootElement() ? doc.RootElement()->FirstChildElement() : nullptr;
    return !doc.Error() && s && s->Attribute("B");
}

int main()
{
    const std::string text = "<?xml version=\"1.0\"?><Strings><s A=\"x\xE1S";
    const std::string behind = "\" B=\"read from behind the end\"/></Strings>";
    const bool plain = readsBehindTheEnd(text + std::string(1, '\0') + behind);
    const bool padded = readsBehindTheEnd(text + std::string(4, '\0') + behind);
    std::printf("one zero after the text: %s\n", plain ? "READS BEHIND THE END" : "stops");
    std::printf("four zeros after the text: %s\n", padded ? "READS BEHIND THE END" : "stops");
    return plain && !padded ? 1 : 0;
}
