#include "game/SceneIndex.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

bool SceneIndex::load(const std::string& path)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "scene index"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Indexes") {
        logError("scene index: \"" + path + "\" has no <Indexes> root element");
        return false;
    }
    map.clear();
    for (const TiXmlElement* e = root->FirstChildElement("Index"); e; e = e->NextSiblingElement("Index")) {
        const char* id = e->Attribute("id");
        const char* fileName = e->Attribute("fileName");
        const char* folder = e->Attribute("path");
        if (!id || !fileName || !folder)
            continue;
        // emplace keeps the first entry of a repeated id.
        const int32_t sceneId = stringToInt(id);
        map.emplace(sceneId, SceneIndexEntry{sceneId, fileName, folder});
    }
    return true;
}

SceneIndexEntry SceneIndex::entryOf(int32_t sceneId) const
{
    const auto it = map.find(sceneId);
    return it != map.end() ? it->second : SceneIndexEntry();
}

bool loadSceneIndex(const std::string& path, SceneIndex& target)
{
    return target.load(path);
}

bool loadSceneIndex(const std::string& path)
{
    return SceneIndex::instance()->load(path);
}
