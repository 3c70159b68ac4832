#include "game/SfxContainer.h"

#include "engine/audio/MixSound.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"
#include "engine/res/ResourceManager.h"

#include <tinyxml.h>

#include <utility>

namespace {

// The attribute's text, or "" when it is missing.
std::string text(const TiXmlElement* e, const char* name)
{
    const char* value = e->Attribute(name);
    return value ? value : "";
}

}  // namespace

SfxContainer::SfxContainer()
{
    owner = appContext();
    if (owner)
        resources = owner->createResourceManager(resourcesIndex);
    if (!resources) {
        owner = nullptr;
        resourcesIndex = -1;
        ownResources = std::make_unique<ResourceManager>();
        resources = ownResources.get();
    }
}

SfxContainer::~SfxContainer()
{
    sounds.clear();
    // An application that has already gone took its managers with it.
    if (resourcesIndex >= 0 && owner && appContext() == owner)
        owner->destroyResourceManager(resourcesIndex);
    resources = nullptr;
}

bool SfxContainer::loadSfx(const std::string& path)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "sound effects"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "SFX") {
        logError("sound effects: \"" + path + "\" has no <SFX> root element");
        return false;
    }

    // Parse first, so that nothing is loaded from a file that is rejected.
    std::vector<std::pair<std::string, std::string>> variants;  // name, path
    if (const char* folder = root->Attribute("defaultPath"))
        defaultPath = folder;
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const std::string name = text(e, "name");
        if (e->ValueStr() == "Sound") {
            const std::string file = text(e, "path");
            if (!name.empty() && !file.empty())
                variants.emplace_back(name, file);
        } else if (e->ValueStr() == "RandomSound" && !name.empty()) {
            for (const TiXmlElement* s = e->FirstChildElement("Sound"); s; s = s->NextSiblingElement("Sound")) {
                const std::string file = text(s, "path");
                if (!file.empty())
                    variants.emplace_back(name, file);
            }
        }
    }
    for (const auto& [name, file] : variants)
        addVariant(name, defaultPath + file);
    loaded = true;
    return true;
}

void SfxContainer::addVariant(const std::string& name, const std::string& file)
{
    std::vector<std::string>& ids = sounds[name];
    const std::string id = name + "_" + std::to_string(ids.size());
    resources->registerSound(id, new MixSound(file));
    ids.push_back(id);
}

void SfxContainer::playSound(const std::string& name, bool loop)
{
    if (playObserver)
        playObserver(name);
    const auto it = sounds.find(name);
    if (it == sounds.end() || it->second.empty())
        return;
    const std::vector<std::string>& ids = it->second;
    Sound* sound = resources->getSound(ids[static_cast<size_t>(randomBelow(static_cast<int>(ids.size())))]);
    if (!sound)
        return;
    if (loop)
        sound->playLooped(-1);
    else
        sound->play();
}

void SfxContainer::stopSound(const std::string& name)
{
    const auto it = sounds.find(name);
    if (it == sounds.end())
        return;
    for (const std::string& id : it->second) {
        Sound* sound = resources->getSound(id);
        if (sound && sound->isPlaying())
            sound->halt();
    }
}

Sound* SfxContainer::getSound(const std::string& name) const
{
    const auto it = sounds.find(name);
    if (it == sounds.end() || it->second.empty())
        return nullptr;
    return resources->getSound(it->second.front());
}

std::vector<std::string> SfxContainer::variantIds(const std::string& name) const
{
    const auto it = sounds.find(name);
    return it != sounds.end() ? it->second : std::vector<std::string>();
}
