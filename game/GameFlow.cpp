#include "game/GameFlow.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

#include <limits>
#include <utility>

GameFlow::GameFlow() = default;

GameFlow::~GameFlow() = default;

bool GameFlow::load(const std::string& path)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "game flow"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "GameFlow") {
        logError("game flow: \"" + path + "\" has no <GameFlow> root element");
        return false;
    }

    // Parse the whole file before touching the list, so that a file is
    // taken entirely or not at all.
    std::vector<std::unique_ptr<GameFlowEntry>> parsed;
    for (const TiXmlElement* e = root->FirstChildElement("Screen"); e; e = e->NextSiblingElement("Screen")) {
        const char* type = e->Attribute("type");
        if (!type) {
            logWarning("game flow: \"" + path + "\": a <Screen> without \"type\" on row " +
                       std::to_string(e->Row()) + " is skipped");
            continue;
        }
        auto entry = std::make_unique<GameFlowEntry>();
        entry->type = type;
        for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next())
            entry->attributes[a->NameTStr()] = a->ValueStr();
        parsed.push_back(std::move(entry));
    }
    for (auto& entry : parsed)
        entries.push_back(std::move(entry));
    return true;
}

void GameFlow::registerFactory(const std::string& type, ScreenFactory factory)
{
    auto creator = std::make_unique<ScreenCreator>();
    creator->factory = std::move(factory);
    creators[type] = std::move(creator);
}

bool GameFlow::hasFactory(const std::string& type) const
{
    const auto it = creators.find(type);
    return it != creators.end() && it->second->factory;
}

ScreenBase* GameFlow::nextScreen(bool advance)
{
    if (advance && index < std::numeric_limits<int>::max())
        ++index;
    const GameFlowEntry* entry = entryAt(index);
    if (!entry)
        return nullptr;
    return createScreen(entry->type, entry->attributes);
}

ScreenBase* GameFlow::createScreen(const std::string& type, const ScreenAttributes& attributes) const
{
    const auto it = creators.find(type);
    if (it == creators.end() || !it->second->factory)
        return nullptr;
    return it->second->factory(attributes);
}

const GameFlowEntry* GameFlow::entryAt(int position) const
{
    if (position < 0 || position >= static_cast<int>(entries.size()))
        return nullptr;
    return entries[static_cast<size_t>(position)].get();
}

int GameFlow::entryOfScene(int sceneId) const
{
    for (size_t i = 0; i < entries.size(); ++i) {
        const GameFlowEntry& entry = *entries[i];
        if (entry.type != "scene")
            continue;
        const auto it = entry.attributes.find("sceneId");
        if (it != entry.attributes.end() && toIntOrDefault(it->second.c_str(), -1) == sceneId)
            return static_cast<int>(i);
    }
    return -1;
}
