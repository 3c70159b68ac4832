#include "minigames/CypherWheelFile.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

#include <cstdlib>

const char* const CypherWheelFile::Folder = "content/config/minigames/CypherWheel/";

namespace {

std::string textAttribute(const TiXmlElement* e, const char* name)
{
    const char* value = e->Attribute(name);
    return value ? value : std::string();
}

float floatAttribute(const TiXmlElement* e, const char* name, float def)
{
    const char* value = e->Attribute(name);
    return value ? static_cast<float>(std::atof(value)) : def;
}

CypherSymbolDesc readSymbol(const TiXmlElement* e)
{
    CypherSymbolDesc symbol;
    symbol.image = textAttribute(e, "image");
    symbol.position = Point(toIntOrDefault(e->Attribute("x"), 0), toIntOrDefault(e->Attribute("y"), 0));
    return symbol;
}

// One SolutionComponent; false when a part the puzzle needs is missing.
bool readComponent(const TiXmlElement* e, SolutionComponentDesc& out)
{
    const TiXmlElement* wheelSymbol = e->FirstChildElement("WheelSymbol");
    const TiXmlElement* wordSymbol = e->FirstChildElement("WordSymbol");
    if (!e->Attribute("angle") || !wheelSymbol || !wordSymbol)
        return false;
    out.wheelOverlay = textAttribute(e, "wheelOverlay");
    out.angle = floatAttribute(e, "angle", 0.f);
    out.wheelSymbol = readSymbol(wheelSymbol);
    out.wordSymbol = readSymbol(wordSymbol);
    return true;
}

} // namespace

CypherWheelDesc CypherWheelFile::load(const std::string& path, Point defaultCorner)
{
    CypherWheelDesc desc;
    desc.dial = defaultCorner;
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "cypher wheel"))
        return desc;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Game") {
        logError("cypher wheel: \"" + path + "\" has no <Game> root; nothing is read");
        return desc;
    }
    desc.loaded = true;
    desc.background = textAttribute(root, "background");
    desc.glow = textAttribute(root, "glow");
    desc.angleTolerance = floatAttribute(root, "angleTolerance", desc.angleTolerance);
    desc.rotationFactor = floatAttribute(root, "rotationFactor", desc.rotationFactor);
    desc.dial = Point(toIntOrDefault(root->Attribute("dialX"), defaultCorner.x),
                      toIntOrDefault(root->Attribute("dialY"), defaultCorner.y));
    desc.dialImage = textAttribute(root, "dialImage");
    int index = 0;
    for (const TiXmlElement* e = root->FirstChildElement("SolutionComponent"); e;
         e = e->NextSiblingElement("SolutionComponent"), ++index) {
        SolutionComponentDesc component;
        if (readComponent(e, component))
            desc.components.push_back(component);
        else
            logWarning("cypher wheel: \"" + path + "\": component " + std::to_string(index) +
                       " lacks its angle, WheelSymbol or WordSymbol; left out");
    }
    return desc;
}
