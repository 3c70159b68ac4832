#include "game/SceneFiles.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"

#include <tinyxml.h>

#include <cmath>
#include <cstdio>

namespace {

// An item's position beyond this, either way, lies far outside any scene
// (a panorama is a few screens wide); it is cut to it, so that later
// arithmetic on it stays in range.
constexpr float MaxCoordinate = 100000.0f;
// Layers beyond this, either way, are cut to it: raising an item puts it one
// above the highest layer.
constexpr int32_t MaxLayer = 1000000;

// Loads `path` and checks its root element; null (with a logged line) when
// either fails.
const TiXmlElement* loadRoot(TiXmlDocument& doc, const std::string& path, const char* rootName,
                             const std::string& what, XmlFile::Encoding encoding = XmlFile::Encoding::Declared)
{
    if (!XmlFile::load(path, doc, what, encoding))
        return nullptr;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != rootName) {
        logError(what + ": \"" + path + "\" has no <" + rootName + "> root element");
        return nullptr;
    }
    return root;
}

// The value read with "%f"; `current` when the text holds no number.
float readFloat(const char* text, float current)
{
    float value = current;
    if (std::sscanf(text, "%f", &value) != 1)
        return current;
    return value;
}

const char* const ItemAttributes[] = {"name", "image", "layer", "majorGroupID", "minorGroupID",
                                      "x", "y", "angle", "R", "G", "B", "A", "type", "infoTip", "typeId"};

bool hasAllItemAttributes(const TiXmlElement& e)
{
    for (const char* name : ItemAttributes)
        if (!e.Attribute(name))
            return false;
    return true;
}

void readItem(const TiXmlElement& e, SceneItem& item)
{
    item.name = e.Attribute("name");
    item.image = e.Attribute("image");
    item.layer = stringToInt(e.Attribute("layer"));
    item.majorGroupID = stringToInt(e.Attribute("majorGroupID"));
    item.minorGroupID = stringToInt(e.Attribute("minorGroupID"));
    item.x = readFloat(e.Attribute("x"), item.x);
    item.y = readFloat(e.Attribute("y"), item.y);
    item.angle = readFloat(e.Attribute("angle"), item.angle);
    item.R = stringToInt(e.Attribute("R"));
    item.G = stringToInt(e.Attribute("G"));
    item.B = stringToInt(e.Attribute("B"));
    item.A = stringToInt(e.Attribute("A"));
    item.type = stringToInt(e.Attribute("type"));
    item.infoTip = e.Attribute("infoTip");
    item.typeId = stringToInt(e.Attribute("typeId"));
}

std::string itemLabel(size_t index, const SceneItem& item)
{
    return "item " + std::to_string(index) + " \"" + item.name + "\"";
}

// Cuts an absurd position or layer of the item read from `e` into its
// range, with one line each.
void boundItem(const TiXmlElement& e, const std::string& path, size_t index, SceneItem& item)
{
    const auto boundCoordinate = [&](const char* axis, float& value) {
        if (std::fabs(value) <= MaxCoordinate)
            return;
        const int cut = value > 0 ? static_cast<int>(MaxCoordinate) : -static_cast<int>(MaxCoordinate);
        logError("scene items: \"" + path + "\": " + itemLabel(index, item) + " has " + axis + " " +
                 e.Attribute(axis) + ", far outside any scene; it stays at " + std::to_string(cut));
        value = static_cast<float>(cut);
    };
    boundCoordinate("x", item.x);
    boundCoordinate("y", item.y);
    if (item.layer > MaxLayer || item.layer < -MaxLayer) {
        const int32_t cut = item.layer > 0 ? MaxLayer : -MaxLayer;
        logError("scene items: \"" + path + "\": " + itemLabel(index, item) + " has layer " +
                 std::to_string(item.layer) + "; it is drawn at layer " + std::to_string(cut));
        item.layer = cut;
    }
}

} // namespace

std::string sceneItemFileName(const std::string& language)
{
    return language == "EN" ? "Scene.xml" : "Scene_" + language + ".xml";
}

std::vector<std::unique_ptr<SceneItem>> loadSceneItems(int32_t sceneId)
{
    std::vector<std::unique_ptr<SceneItem>> items;
    const SceneIndexEntry entry = SceneIndex::instance()->entryOf(sceneId);
    if (entry.id < 0)
        return items;
    TiXmlDocument doc;
    // Item files are read byte for byte (legacy encoding): names and picture
    // file names written in an 8-bit code page keep their bytes even under a
    // UTF-8 declaration, which would otherwise make such a file unreadable
    // and the scene empty.
    const TiXmlElement* root =
        loadRoot(doc, entry.itemFilePath(), "Scene", "scene items", XmlFile::Encoding::Legacy);
    if (!root)
        return items;
    for (const TiXmlElement* e = root->FirstChildElement("Item"); e; e = e->NextSiblingElement("Item")) {
        if (items.size() == MaxSceneItems) {
            logError("scene items: \"" + entry.itemFilePath() + "\" holds more than " +
                     std::to_string(MaxSceneItems) + " items; the rest are left out");
            break;
        }
        auto item = std::make_unique<SceneItem>();
        item->folder = entry.path;
        if (const char* name = e->Attribute("name"))
            item->name = name;
        // An incomplete element still holds its place: item indices are
        // positions in the file.
        if (hasAllItemAttributes(*e)) {
            readItem(*e, *item);
            boundItem(*e, entry.itemFilePath(), items.size(), *item);
        }
        items.push_back(std::move(item));
    }
    return items;
}

ItemGroupRules loadItemGroupRules(const std::string& path)
{
    ItemGroupRules rules;
    TiXmlDocument doc;
    const TiXmlElement* root = loadRoot(doc, path, "ItemGroupRules", "item group rules");
    if (!root)
        return rules;
    for (const TiXmlElement* e = root->FirstChildElement("Rule"); e; e = e->NextSiblingElement("Rule")) {
        const char* groupId = e->Attribute("groupId");
        const char* typeId = e->Attribute("typeId");
        const char* type = e->Attribute("type");
        if (!groupId || !typeId || !type)
            continue;
        const int32_t table = stringToInt(type);
        if (table != 0 && table != 1)
            continue;
        rules.tables[table][stringToInt(typeId)] = stringToInt(groupId);
    }
    return rules;
}

void loadItemRendererRules(const std::string& path, std::vector<ItemRendererRule>& rules)
{
    TiXmlDocument doc;
    const TiXmlElement* root = loadRoot(doc, path, "ItemRendererRules", "item renderer rules");
    if (!root)
        return;
    for (const TiXmlElement* e = root->FirstChildElement("Rule"); e; e = e->NextSiblingElement("Rule")) {
        const char* renderer = e->Attribute("renderer");
        if (!renderer)
            continue;
        ItemRendererRule rule;
        rule.rendererId = stringToInt(renderer);
        rule.pattern.groupId = toIntOrDefault(e->Attribute("groupId"), -1);
        rule.pattern.typeId = toIntOrDefault(e->Attribute("typeId"), -1);
        rule.pattern.type = toIntOrDefault(e->Attribute("type"), -1);
        rules.push_back(rule);
    }
}
