// Fuzzes the dialog readers: the input is read both as a conversation and
// as a character list (each refuses the other's root).
#include "frontend/DialogFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string xml(reinterpret_cast<const char*>(data), size);
    DialogFile::Conversation conversation;
    (void)DialogFile::parseConversation(xml, "fuzz input", conversation);
    DialogFile::Characters characters;
    (void)DialogFile::parseCharacters(xml, "fuzz input", characters);
    return 0;
}
