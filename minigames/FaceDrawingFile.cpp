#include "minigames/FaceDrawingFile.h"

#include "engine/core/Log.h"
#include "engine/core/XmlFile.h"
#include "minigames/MinigameXml.h"

const char* const FaceDrawingFile::Folder = "content/config/minigames/FaceDrawing/";

FaceDrawingDesc FaceDrawingFile::load(const std::string& path)
{
    FaceDrawingDesc desc;
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "face drawing"))
        return desc;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "FaceDrawingGame") {
        logError("face drawing: \"" + path + "\" has no <FaceDrawingGame> root; nothing is read");
        return desc;
    }
    for (const TiXmlElement* e = root->FirstChildElement("Star"); e; e = e->NextSiblingElement("Star"))
        desc.stars.push_back(xmlPoint(e));
    for (const TiXmlElement* e = root->FirstChildElement("Connection"); e; e = e->NextSiblingElement("Connection"))
        desc.connections.push_back(xmlPoint(e));
    if (const TiXmlElement* outline = root->FirstChildElement("Outline")) {
        desc.hasOutline = true;
        desc.outline = xmlPoint(outline);
    }
    return desc;
}
