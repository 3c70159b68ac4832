#include "minigames/CollectArmourFile.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

const char* const CollectArmourFile::DefaultPath = "content/config/minigames/Quest66.xml";

namespace {

int number(const TiXmlElement* e, const char* name)
{
    return toIntOrDefault(e->Attribute(name), -1);
}

std::string text(const TiXmlElement* e, const char* name)
{
    const char* value = e->Attribute(name);
    return value ? value : std::string();
}

} // namespace

std::vector<ArmourSlotDesc> CollectArmourFile::load(const std::string& path)
{
    std::vector<ArmourSlotDesc> slots;
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "collect armour"))
        return slots;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "CollectArmour") {
        logError("collect armour: \"" + path + "\" has no <CollectArmour> root; no slot is read");
        return slots;
    }
    for (const TiXmlElement* e = root->FirstChildElement("ArmourSlot"); e; e = e->NextSiblingElement("ArmourSlot")) {
        ArmourSlotDesc slot;
        slot.texture = text(e, "texture");
        slot.startX = number(e, "startX");
        slot.startY = number(e, "startY");
        slot.endX = number(e, "endX");
        slot.endY = number(e, "endY");
        for (const TiXmlElement* p = e->FirstChildElement("ArmourPart"); p; p = p->NextSiblingElement("ArmourPart")) {
            if (static_cast<int>(slot.parts.size()) == PartsPerSlot) {
                logError("collect armour: \"" + path + "\": slot \"" + slot.texture + "\" has more than " +
                           std::to_string(PartsPerSlot) + " parts; the others are left out");
                break;
            }
            slot.parts.push_back(ArmourPartDesc{number(p, "x"), number(p, "y"), text(p, "texture")});
        }
        if (static_cast<int>(slot.parts.size()) < PartsPerSlot)
            logError("collect armour: \"" + path + "\": slot \"" + slot.texture + "\" has " +
                       std::to_string(slot.parts.size()) + " parts of " + std::to_string(PartsPerSlot) +
                       "; it can never be completed");
        slots.push_back(std::move(slot));
    }
    return slots;
}
