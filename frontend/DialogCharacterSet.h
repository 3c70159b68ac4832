#pragma once
// The characters of a conversation by id, ascending, read from a characters
// file (see DialogFile). A second character with an id already present is
// not added. A file that cannot be read leaves the set empty.
#include "frontend/DialogCharacter.h"
#include "frontend/DialogFile.h"

#include <map>
#include <memory>
#include <string>

class DialogCharacterSet {
public:
    DialogCharacterSet() = default;
    DialogCharacterSet(const DialogCharacterSet&) = delete;
    DialogCharacterSet& operator=(const DialogCharacterSet&) = delete;

    // The characters of the file (true), or none (false, one error line).
    bool load(const std::string& path);
    // The characters of file text in memory.
    bool loadText(const std::string& xml, const std::string& where);

    // The character, or null.
    DialogCharacter* find(int id) const;
    const std::map<int, std::unique_ptr<DialogCharacter>>& characters() const { return byId; }
    const std::string& getDefaultPath() const { return defaultPath; }

private:
    void build(const DialogFile::Characters& parsed);

    std::map<int, std::unique_ptr<DialogCharacter>> byId;
    std::string defaultPath;
};
