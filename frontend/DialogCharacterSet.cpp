#include "frontend/DialogCharacterSet.h"

bool DialogCharacterSet::load(const std::string& path)
{
    DialogFile::Characters parsed;
    const bool ok = DialogFile::readCharacters(path, parsed);
    build(parsed);
    return ok;
}

bool DialogCharacterSet::loadText(const std::string& xml, const std::string& where)
{
    DialogFile::Characters parsed;
    const bool ok = DialogFile::parseCharacters(xml, where, parsed);
    build(parsed);
    return ok;
}

void DialogCharacterSet::build(const DialogFile::Characters& parsed)
{
    byId.clear();
    defaultPath = parsed.defaultPath;
    for (const DialogFile::Character& c : parsed.characters) {
        if (byId.count(c.id))
            continue;
        auto character = std::make_unique<DialogCharacter>(this);
        character->id = c.id;
        character->name = c.name;
        if (c.hasTextBox)
            character->textBox = c.textBox;
        if (c.hasNameBox)
            character->nameBox = c.nameBox;
        character->animationPaths[DialogCharacter::EntryKind] = c.entry;
        character->animationPaths[DialogCharacter::BeginTalkKind] = c.beginTalk;
        character->animationPaths[DialogCharacter::EndTalkKind] = c.endTalk;
        character->animationPaths[DialogCharacter::LeaveKind] = c.leave;
        byId[c.id] = std::move(character);
    }
}

DialogCharacter* DialogCharacterSet::find(int id) const
{
    auto it = byId.find(id);
    return it != byId.end() ? it->second.get() : nullptr;
}
