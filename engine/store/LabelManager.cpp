#include "engine/store/LabelManager.h"

#include "engine/core/Log.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

const char* const LabelManager::notFoundText = "error::label not found!";

bool LabelManager::loadLabels(const std::string& path)
{
    labels.clear();
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "labels"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Strings") {
        logError("labels: \"" + path + "\" has no <Strings> root element");
        return false;
    }
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const TiXmlAttribute* first = e->FirstAttribute();
        if (first)
            labels[first->NameTStr()] = first->ValueStr();
    }
    return true;
}

void LabelManager::setLabel(const std::string& id, const std::string& text)
{
    labels[id] = text;
}

std::string LabelManager::getLabel(const std::string& id) const
{
    const auto it = labels.find(id);
    return it != labels.end() ? it->second : notFoundText;
}
