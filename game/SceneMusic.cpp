#include "game/SceneMusic.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

#include <utility>

SceneMusic::SceneMusic() = default;

SceneMusic::~SceneMusic() = default;

bool SceneMusic::loadSceneMusic(const std::string& path)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "scene music"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "SceneMusic") {
        logError("scene music: \"" + path + "\" has no <SceneMusic> root element");
        return false;
    }
    if (const char* folderText = root->Attribute("path"))
        folder = folderText;
    for (const TiXmlElement* scene = root->FirstChildElement("Scene"); scene;
         scene = scene->NextSiblingElement("Scene")) {
        const char* index = scene->Attribute("index");
        if (!index)
            continue;
        std::vector<std::string> files;
        for (const TiXmlElement* m = scene->FirstChildElement("Music"); m; m = m->NextSiblingElement("Music")) {
            const char* file = m->Attribute("file");
            // An empty name would play the folder itself.
            if (file && !*file)
                logWarning("scene music: \"" + path + "\": the <Music> on row " + std::to_string(m->Row()) +
                           " names no file; skipped");
            else if (file)
                files.push_back(file);
        }
        // Every piece counts, an empty one as scene 0 (atoi of "").
        for (const std::string& piece : splitString(index, ',')) {
            std::vector<std::string>& list = tracks[stringToInt(piece)];
            list.insert(list.end(), files.begin(), files.end());
        }
    }
    return true;
}

std::string SceneMusic::musicForScene(int sceneIndex) const
{
    const auto it = tracks.find(sceneIndex);
    if (it == tracks.end() || it->second.empty())
        return "";
    const std::vector<std::string>& files = it->second;
    return folder + files[static_cast<size_t>(randomBelow(static_cast<int>(files.size())))];
}

std::vector<std::string> SceneMusic::tracksFor(int sceneIndex) const
{
    const auto it = tracks.find(sceneIndex);
    return it != tracks.end() ? it->second : std::vector<std::string>();
}
