#include "frontend/MapLocationRecord.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

namespace {

std::vector<MapLocationRecord> recordsOf(const TiXmlDocument& doc, const std::string& where,
                                         const std::string& extension)
{
    std::vector<MapLocationRecord> records;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Map") {
        logError("map locations '" + where + "': the root element is not <Map>; the map has no locations");
        return records;
    }
    for (const TiXmlElement* e = root->FirstChildElement("Location"); e; e = e->NextSiblingElement("Location")) {
        MapLocationRecord r;
        r.x = toIntOrDefault(e->Attribute("x"), -1);
        r.y = toIntOrDefault(e->Attribute("y"), -1);
        r.dotX = toIntOrDefault(e->Attribute("dotX"), -1);
        r.dotY = toIntOrDefault(e->Attribute("dotY"), -1);
        const char* normal = e->Attribute("imageNormal");
        const char* over = e->Attribute("imageOver");
        r.normalImage = std::string(MapLocationRecord::ImageFolder) + (normal ? normal : "") + extension;
        r.overImage = std::string(MapLocationRecord::ImageFolder) + (over ? over : "") + extension;
        records.push_back(r);
    }
    return records;
}

} // namespace

std::vector<MapLocationRecord> MapLocationRecord::read(const std::string& path, const std::string& extension)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "map locations"))
        return {};
    return recordsOf(doc, path, extension);
}

std::vector<MapLocationRecord> MapLocationRecord::parse(const std::string& xml, const std::string& where,
                                                        const std::string& extension)
{
    TiXmlDocument doc;
    if (!XmlFile::parse(xml, doc, "map locations", where))
        return {};
    return recordsOf(doc, where, extension);
}
