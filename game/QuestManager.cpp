#include "game/QuestManager.h"

#include "game/Quest.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

#include <algorithm>

namespace {

// A comma list of integers; pieces between adjacent commas (and an empty
// text) give nothing.
std::vector<int> readIntList(const char* text)
{
    std::vector<int> values;
    if (!text)
        return values;
    for (const std::string& piece : splitString(text, ','))
        if (!piece.empty())
            values.push_back(stringToInt(piece));
    return values;
}

void writeInt32(std::vector<uint8_t>& out, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

int32_t readInt32(const uint8_t* p)
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

constexpr size_t BlobHead = 8;
constexpr size_t BytesPerQuest = 3;

}  // namespace

QuestManager::QuestManager() = default;

QuestManager::~QuestManager() = default;

bool QuestManager::load(const std::string& path)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "quests"))
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "GamePlay") {
        logError("quests: \"" + path + "\" has no <GamePlay> root element");
        return false;
    }
    for (const TiXmlElement* e = root->FirstChildElement("Quest"); e; e = e->NextSiblingElement("Quest")) {
        auto quest = std::make_unique<Quest>();
        quest->id = toIntOrDefault(e->Attribute("id"), -1);
        quest->screenId = toIntOrDefault(e->Attribute("screenId"), -1);
        quest->stage = toIntOrDefault(e->Attribute("stage"), -1);
        quest->opens = readIntList(e->Attribute("opens"));
        quest->needs = readIntList(e->Attribute("needs"));
        const char* empty = e->Attribute("emptyContainer");
        quest->emptyContainer = empty && std::string(empty) == "true";
        const char* correct = e->Attribute("correctLocationStage");
        quest->correctLocationStage = !(correct && std::string(correct) == "false");
        if (quest->id != static_cast<int>(quests.size()))
            logWarning("quests: \"" + path + "\": quest on row " + std::to_string(e->Row()) + " has id " +
                       std::to_string(quest->id) + " at position " + std::to_string(quests.size()));
        quests.push_back(std::move(quest));
    }
    if (!quests.empty())
        current = quests.front().get();
    return true;
}

void QuestManager::reset()
{
    for (auto& quest : quests) {
        quest->done = false;
        quest->open = false;
        quest->entered = false;
    }
    current = quests.empty() ? nullptr : quests.front().get();
    if (current)
        current->open = true;
}

void QuestManager::complete(int index)
{
    Quest* quest = questAt(index);
    if (!quest)
        return;
    quest->done = true;
    for (int o : quest->opens) {
        Quest* opened = questAt(o);
        if (!opened)
            continue;
        bool open = true;
        for (int n : opened->needs) {
            // -1 stands for "needs nothing"; other positions that name no
            // quest are ignored the same way.
            const Quest* needed = questAt(n);
            if (needed && !needed->done)
                open = false;
        }
        opened->open = open;
    }
}

void QuestManager::completeCurrent()
{
    if (!current)
        return;
    current->done = true;
    for (auto& quest : quests) {
        if (!quest->done) {
            current = quest.get();
            return;
        }
    }
}

void QuestManager::completeByScreen(int screenId)
{
    for (size_t i = 0; i < quests.size(); ++i)
        if (quests[i]->screenId == screenId)
            complete(quests[i]->id);
}

void QuestManager::setCurrent(int index)
{
    if (Quest* quest = questAt(index))
        current = quest;
}

int QuestManager::currentId() const
{
    return current ? current->id : -1;
}

Quest* QuestManager::findById(int id) const
{
    for (const auto& quest : quests)
        if (quest->id == id)
            return quest.get();
    return nullptr;
}

Quest* QuestManager::questAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(quests.size()))
        return nullptr;
    return quests[static_cast<size_t>(index)].get();
}

bool QuestManager::isMapReached() const
{
    const Quest* quest = questAt(4);
    return quest && quest->done;
}

std::vector<int> QuestManager::openLocations() const
{
    std::vector<int> screens;
    for (const auto& quest : quests)
        if (quest->open && !quest->done)
            screens.push_back(quest->screenId);
    std::stable_sort(screens.begin(), screens.end());
    screens.erase(std::unique(screens.begin(), screens.end()), screens.end());
    return screens;
}

int QuestManager::stageForScreen(int screenId) const
{
    for (const auto& quest : quests)
        if (quest->open && !quest->done && quest->screenId == screenId)
            return quest->stage;
    return 0;
}

int QuestManager::indexForScreen(int screenId) const
{
    for (size_t i = 0; i < quests.size(); ++i) {
        const Quest& quest = *quests[i];
        if (quest.open && !quest.done && quest.screenId == screenId)
            return static_cast<int>(i);
    }
    return 0;
}

int QuestManager::journalEntryForCurrent() const
{
    const int id = current ? current->id : 0;
    if (id >= 55)
        return 6;
    if (id >= 43)
        return 5;
    if (id >= 29)
        return 3;
    if (id >= 14)
        return 2;
    return 0;
}

std::vector<uint8_t> QuestManager::saveState() const
{
    std::vector<uint8_t> blob;
    blob.reserve(BlobHead + BytesPerQuest * quests.size());
    writeInt32(blob, current && current->id > 0 ? current->id : 0);
    writeInt32(blob, static_cast<int32_t>(quests.size()));
    for (const auto& quest : quests) {
        blob.push_back(quest->done ? 1 : 0);
        blob.push_back(quest->open ? 1 : 0);
        blob.push_back(quest->entered ? 1 : 0);
    }
    return blob;
}

size_t QuestManager::loadState(const uint8_t* data, size_t size)
{
    if (!data || size < BlobHead)
        return 0;
    const int32_t currentId = readInt32(data);
    const int32_t stored = readInt32(data + 4);
    // The blob comes from the save file: never trust its count beyond the
    // list we have or the bytes it really holds.
    size_t count = stored > 0 ? static_cast<size_t>(stored) : 0;
    count = std::min(count, quests.size());
    count = std::min(count, (size - BlobHead) / BytesPerQuest);
    if (static_cast<size_t>(std::max(stored, 0)) != count)
        logWarning("quests: the saved quest state holds " + std::to_string(stored) + " quests; " +
                   std::to_string(count) + " applied");
    const uint8_t* p = data + BlobHead;
    for (size_t i = 0; i < count; ++i, p += BytesPerQuest) {
        Quest& quest = *quests[i];
        quest.done = p[0] != 0;
        quest.open = p[1] != 0;
        quest.entered = p[2] != 0;
    }
    setCurrent(currentId);
    return BlobHead + BytesPerQuest * count;
}
