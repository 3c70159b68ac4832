#include "minigames/CastingSpellsFile.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

const char* const CastingSpellsFile::DefaultPath = "content/config/minigames/CastingSpells/game.xml";

namespace {

int intAttribute(const TiXmlElement* e, const char* name)
{
    return toIntOrDefault(e->Attribute(name), 0);
}

std::string textAttribute(const TiXmlElement* e, const char* name)
{
    const char* value = e->Attribute(name);
    return value ? value : std::string();
}

// One Spell element; false when a part is missing.
bool readSpell(const TiXmlElement* spell, CastingSpellDesc& out)
{
    const TiXmlElement* curve = spell->FirstChildElement("Curve");
    const TiXmlElement* frame = spell->FirstChildElement("Frame");
    const TiXmlElement* frameGlow = spell->FirstChildElement("FrameGlow");
    const TiXmlElement* glow = spell->FirstChildElement("Glow");
    if (!curve || !frame || !frameGlow || !glow)
        return false;
    for (const TiXmlElement* p = curve->FirstChildElement("Point"); p; p = p->NextSiblingElement("Point"))
        out.curve.emplace_back(intAttribute(p, "x"), intAttribute(p, "y"));
    out.frameImage = textAttribute(frame, "image");
    out.frame = Point(intAttribute(frame, "x"), intAttribute(frame, "y"));
    out.frameGlowImage = textAttribute(frameGlow, "image");
    out.glowImage = textAttribute(glow, "image");
    out.glow = Point(intAttribute(glow, "x"), intAttribute(glow, "y"));
    return true;
}

} // namespace

CastingSpellsDesc CastingSpellsFile::load(const std::string& path)
{
    CastingSpellsDesc desc;
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "casting spells"))
        return desc;
    const TiXmlElement* root = doc.RootElement();
    const TiXmlElement* surface = root && root->ValueStr() == "Game" ? root->FirstChildElement("DrawSurface") : nullptr;
    if (!surface) {
        logError("casting spells: \"" + path + "\" has no <Game> root with a <DrawSurface>; no spell is read");
        return desc;
    }
    desc.hasSurface = true;
    desc.surface = WidgetGeometry(intAttribute(surface, "x"), intAttribute(surface, "y"), 0, intAttribute(surface, "w"),
                                  intAttribute(surface, "h"));
    int index = 0;
    for (const TiXmlElement* e = root->FirstChildElement("Spell"); e; e = e->NextSiblingElement("Spell"), ++index) {
        CastingSpellDesc spell;
        if (readSpell(e, spell))
            desc.spells.push_back(spell);
        else
            logWarning("casting spells: \"" + path + "\": spell " + std::to_string(index) +
                       " lacks its Curve, Frame, FrameGlow or Glow; left out");
    }
    return desc;
}
