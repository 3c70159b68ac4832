#include "minigames/ZodiacSignsFile.h"

#include "engine/core/Log.h"
#include "engine/core/XmlFile.h"
#include "minigames/ContentBounds.h"
#include "minigames/MinigameXml.h"

const char* const ZodiacSignsFile::Folder = "content/config/minigames/ZodiacSigns/";

std::vector<ZodiacSignDesc> ZodiacSignsFile::load(const std::string& path)
{
    std::vector<ZodiacSignDesc> signs;
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "zodiac signs"))
        return signs;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Game") {
        logError("zodiac signs: \"" + path + "\" has no <Game> root; no sign is read");
        return signs;
    }
    int index = 0;
    for (const TiXmlElement* e = root->FirstChildElement("Sign"); e; e = e->NextSiblingElement("Sign"), ++index) {
        if (!e->Attribute("image"))
            continue;
        const TiXmlElement* init = e->FirstChildElement("Init");
        const TiXmlElement* final = e->FirstChildElement("Final");
        const TiXmlElement* constellation = e->FirstChildElement("Constellation");
        if (!init || !final || !constellation) {
            logWarning("zodiac signs: \"" + path + "\": sign " + std::to_string(index) +
                       " lacks its Init, Final or Constellation; left out");
            continue;
        }
        ZodiacSignDesc sign;
        sign.image = xmlText(e, "image");
        sign.hasGlow = xmlText(e, "hasGlow") == "true";
        sign.init = xmlPoint(init);
        sign.final = xmlPoint(final);
        sign.constellationImage = xmlText(constellation, "image");
        sign.constellation = xmlPoint(constellation);
        // A sign that starts off the screen cannot be picked up, and one whose
        // place is off it can never be placed: the others still make a game.
        const std::string name = "sign " + std::to_string(index);
        if (!ContentBounds::onScreen(sign.init.x, sign.init.y, path, name + " Init", "the sign is left out") ||
            !ContentBounds::onScreen(sign.final.x, sign.final.y, path, name + " Final", "the sign is left out"))
            continue;
        signs.push_back(sign);
    }
    return signs;
}
